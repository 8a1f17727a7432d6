#include "app/engine_settings_file.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "game/user_folder.h"

namespace tarvelle {

namespace {

QString FileName(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.string()));
}

// A value as its text. Unquoted commas make QSettings read a list; the text is what was written.
QString Text(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',');
    return value.toString().trimmed();
}

ProtocolChoice ReadProtocol(const QString& text) {
    const QString lower = text.toLower();
    if (lower == QLatin1String("ucci")) return ProtocolChoice::Ucci;
    if (lower == QLatin1String("uci")) return ProtocolChoice::Uci;
    return ProtocolChoice::Auto;
}

RankChoice ReadRanks(const QString& text) {
    if (text == QLatin1String("0")) return RankChoice::FromZero;
    if (text == QLatin1String("1")) return RankChoice::FromOne;
    return RankChoice::Auto;
}

int ReadCount(const QString& text) {
    bool ok = false;
    const int count = text.toInt(&ok);
    return ok && count >= 0 ? count : 0;
}

std::optional<SearchLimit> ReadLimit(const QString& nodesText, const QString& secondsText) {
    bool ok = false;
    const double seconds = secondsText.toDouble(&ok);
    if (ok && std::isfinite(seconds) && seconds > 0 && seconds < 1e9) {
        const auto milliseconds = std::max<std::int64_t>(std::llround(seconds * 1000), 1);
        return SearchLimit{.kind = SearchLimit::Kind::Milliseconds, .amount = milliseconds};
    }
    const qlonglong nodes = nodesText.toLongLong(&ok);
    if (ok && nodes > 0) return SearchLimit{.kind = SearchLimit::Kind::Nodes, .amount = nodes};
    return std::nullopt;
}

bool ReadPonder(const QString& text) {
    const QString lower = text.toLower();
    return !(lower == QLatin1String("false") || lower == QLatin1String("0"));
}

QString ProtocolText(ProtocolChoice protocol) {
    switch (protocol) {
        case ProtocolChoice::Ucci:
            return QStringLiteral("ucci");
        case ProtocolChoice::Uci:
            return QStringLiteral("uci");
        case ProtocolChoice::Auto:
            break;
    }
    return QStringLiteral("auto");
}

QString RanksText(RankChoice ranks) {
    switch (ranks) {
        case RankChoice::FromZero:
            return QStringLiteral("0");
        case RankChoice::FromOne:
            return QStringLiteral("1");
        case RankChoice::Auto:
            break;
    }
    return QStringLiteral("auto");
}

}  // namespace

std::filesystem::path UserEngineSettingsFile() {
    const std::filesystem::path folder =
        UserFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
    return folder.empty() ? folder : folder / "tarvelle.conf";
}

EngineSettings ReadEngineSettings(const std::filesystem::path& file) {
    EngineSettings settings;
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) return settings;
    QSettings stored(FileName(file), QSettings::IniFormat);
    if (stored.status() != QSettings::NoError) return settings;
    stored.beginGroup(QStringLiteral("engine"));
    const auto text = [&stored](const char* key) { return Text(stored.value(QLatin1String(key))); };
    settings.path = text("path").toStdString();
    settings.protocol = ReadProtocol(text("protocol"));
    settings.ranks = ReadRanks(text("ranks"));
    settings.threads = ReadCount(text("threads"));
    settings.hashMegabytes = ReadCount(text("hash"));
    settings.limit = ReadLimit(text("nodes"), text("seconds"));
    if (stored.contains(QStringLiteral("ponder"))) settings.ponder = ReadPonder(text("ponder"));
    return settings;
}

bool WriteEngineSettings(const std::filesystem::path& file, const EngineSettings& settings) {
    std::error_code error;
    if (file.empty()) return false;
    std::filesystem::create_directories(file.parent_path(), error);
    QSettings stored(FileName(file), QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("engine"));
    stored.setValue(QStringLiteral("path"), QString::fromStdString(settings.path));
    stored.setValue(QStringLiteral("protocol"), ProtocolText(settings.protocol));
    stored.setValue(QStringLiteral("ranks"), RanksText(settings.ranks));
    stored.setValue(QStringLiteral("threads"), settings.threads);
    stored.setValue(QStringLiteral("hash"), settings.hashMegabytes);
    stored.remove(QStringLiteral("nodes"));
    stored.remove(QStringLiteral("seconds"));
    if (settings.limit && settings.limit->kind == SearchLimit::Kind::Nodes) {
        stored.setValue(QStringLiteral("nodes"), static_cast<qlonglong>(settings.limit->amount));
    } else if (settings.limit) {
        stored.setValue(QStringLiteral("seconds"),
                        static_cast<double>(settings.limit->amount) / 1000.0);
    }
    stored.setValue(QStringLiteral("ponder"), settings.ponder);
    stored.endGroup();
    stored.sync();
    return stored.status() == QSettings::NoError;
}

}  // namespace tarvelle
