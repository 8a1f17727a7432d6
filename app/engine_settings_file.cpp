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

// The words each choice is kept as, for reading and for writing; a word not listed reads as the
// first entry's choice.
template <typename Choice>
struct ChoiceWord {
    Choice choice;
    const char* word;
};
constexpr ChoiceWord<ProtocolChoice> kProtocolWords[] = {
    {ProtocolChoice::Auto, "auto"}, {ProtocolChoice::Ucci, "ucci"}, {ProtocolChoice::Uci, "uci"}};
constexpr ChoiceWord<RankChoice> kRankWords[] = {
    {RankChoice::Auto, "auto"}, {RankChoice::FromZero, "0"}, {RankChoice::FromOne, "1"}};

template <typename Choice, std::size_t N>
Choice ReadChoice(const ChoiceWord<Choice> (&words)[N], const QString& text) {
    for (const auto& each : words) {
        if (text.compare(QLatin1String(each.word), Qt::CaseInsensitive) == 0) return each.choice;
    }
    return words[0].choice;
}

template <typename Choice, std::size_t N>
QString ChoiceText(const ChoiceWord<Choice> (&words)[N], Choice choice) {
    for (const auto& each : words) {
        if (each.choice == choice) return QLatin1String(each.word);
    }
    return QLatin1String(words[0].word);
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
    settings.protocol = ReadChoice(kProtocolWords, text("protocol"));
    settings.ranks = ReadChoice(kRankWords, text("ranks"));
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
    stored.setValue(QStringLiteral("protocol"), ChoiceText(kProtocolWords, settings.protocol));
    stored.setValue(QStringLiteral("ranks"), ChoiceText(kRankWords, settings.ranks));
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
