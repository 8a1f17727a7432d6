// The dialog 引擎设置: the engine file (a file chooser; empty for EEYE.dll beside the program), the
// protocol (自动, UCCI, UCI) and the rank numbering of a UCI engine, threads and hash (0 leaves the
// engine's own), the limit of each search (positions or seconds per move) and pondering. It shows
// and hands back EngineSettings; storing and applying them is its owner's business.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "engine/engine_settings.h"

namespace tarvelle {

class EngineSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit EngineSettingsDialog(QWidget* parent = nullptr);

    // Fills the controls. Without a limit the positions per move show the side question's budget.
    void ShowSettings(const EngineSettings& settings);
    // What the controls hold: always a limit, of the kind chosen.
    EngineSettings Settings() const;

private:
    void ChooseEngineFile();

    QLineEdit* path_;
    QComboBox* protocol_;
    QComboBox* ranks_;
    QSpinBox* threads_;
    QSpinBox* hash_;
    QRadioButton* byNodes_;
    QSpinBox* nodes_;
    QRadioButton* bySeconds_;
    QDoubleSpinBox* seconds_;
    QCheckBox* ponder_;
};

}  // namespace tarvelle
