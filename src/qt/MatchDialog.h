// 対局設定…: the time control and the promotion question of a match. A preset (なし, 切れ負け
// 10分, 10分＋秒読み30秒, 秒読み30秒, 15分＋加算10秒) fills the fields; the main time is given in
// minutes and seconds (0 allowed), then either a byoyomi or an increment in seconds; the upper
// side (the computer, or 後手 between two people) may have an allotment of its own, for a game
// with odds. The strength of LEVEL4 and LEVEL5 is chosen here by its 級 or 段 (SkillLevel 0 to
// 20, engine/Skill.h); the computer's level itself in the menu.
#pragma once

#include "match/MatchSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;

namespace kelvore::qt {

// The fields of one side's allotment.
class AllotmentEditor : public QWidget {
    Q_OBJECT
public:
    // `who` names the side in the fields' accessible names ("" when the allotment is both
    // sides').
    explicit AllotmentEditor(const QString& who, QWidget* parent = nullptr);
    match::Allotment value() const;
    void setValue(const match::Allotment& a);

    QSpinBox* minutes() const { return minutes_; }
    QSpinBox* seconds() const { return seconds_; }
    QRadioButton* byoyomi() const { return byoyomi_; }
    QRadioButton* increment() const { return increment_; }
    QSpinBox* extra() const { return extra_; }

signals:
    void edited();

private:
    QSpinBox* minutes_;
    QSpinBox* seconds_;
    QRadioButton* byoyomi_;
    QRadioButton* increment_;
    QSpinBox* extra_; // the byoyomi's or the increment's seconds
};

class MatchDialog : public QDialog {
    Q_OBJECT
public:
    explicit MatchDialog(const match::MatchSettings& settings, QWidget* parent = nullptr);
    // What the fields say; the level is the one the dialogue was opened with.
    match::MatchSettings settings() const;

    // The presets in the order the list shows them; the last entry of the list is "その他",
    // chosen by the dialogue itself when the fields match none.
    static const std::pair<const char*, match::Allotment> kPresets[5];

    QComboBox* presets() const { return presets_; }
    AllotmentEditor* lower() const { return lower_; }
    AllotmentEditor* upper() const { return upper_; }
    QCheckBox* separate() const { return separate_; }
    QCheckBox* askPromotion() const { return ask_; }
    QComboBox* strength() const { return strength_; } // item n: SkillLevel n

private:
    void showPresetOfFields();

    int level_;
    QComboBox* presets_;
    AllotmentEditor* lower_;
    AllotmentEditor* upper_;
    QGroupBox* lowerBox_;
    QGroupBox* upperBox_;
    QCheckBox* separate_;
    QCheckBox* ask_;
    QComboBox* strength_;
    bool filling_ = false;
};

} // namespace kelvore::qt
