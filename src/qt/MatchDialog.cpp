#include "MatchDialog.h"

#include "engine/Skill.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvore::qt {

namespace {

QSpinBox* spin(int most, const QString& suffix, const QString& name, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setRange(0, most);
    s->setSuffix(suffix);
    s->setAccessibleName(name);
    return s;
}

} // namespace

const std::pair<const char*, match::Allotment> MatchDialog::kPresets[5] = {
    {QT_TRANSLATE_NOOP("MatchDialog", "なし"), {0, 0, 0}},
    {QT_TRANSLATE_NOOP("MatchDialog", "切れ負け 10分"), {600, 0, 0}},
    {QT_TRANSLATE_NOOP("MatchDialog", "10分＋秒読み30秒"), {600, 30, 0}},
    {QT_TRANSLATE_NOOP("MatchDialog", "秒読み30秒"), {0, 30, 0}},
    {QT_TRANSLATE_NOOP("MatchDialog", "15分＋加算10秒"), {900, 0, 10}},
};

AllotmentEditor::AllotmentEditor(const QString& who, QWidget* parent) : QWidget(parent) {
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    minutes_ = spin(match::kMostMainSeconds / 60, QCoreApplication::translate("MatchDialog", " 分"),
                    who + QCoreApplication::translate("MatchDialog", "持ち時間の分"), this);
    seconds_ = spin(59, QCoreApplication::translate("MatchDialog", " 秒"),
                    who + QCoreApplication::translate("MatchDialog", "持ち時間の秒"), this);
    auto* main = new QHBoxLayout;
    main->addWidget(minutes_);
    main->addWidget(seconds_);
    main->addStretch();
    auto* mainLabel = new QLabel(QCoreApplication::translate("MatchDialog", "持ち時間"), this);
    mainLabel->setBuddy(minutes_);
    form->addRow(mainLabel, main);

    byoyomi_ = new QRadioButton(QCoreApplication::translate("MatchDialog", "秒読み"), this);
    increment_ = new QRadioButton(QCoreApplication::translate("MatchDialog", "加算"), this);
    byoyomi_->setAccessibleName(who + QCoreApplication::translate("MatchDialog", "秒読み"));
    increment_->setAccessibleName(who + QCoreApplication::translate("MatchDialog", "加算"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(byoyomi_);
    kinds->addButton(increment_);
    byoyomi_->setChecked(true);
    extra_ = spin(std::max(match::kMostByoyomiSeconds, match::kMostIncrementSeconds),
                  QCoreApplication::translate("MatchDialog", " 秒"),
                  who + QCoreApplication::translate("MatchDialog", "秒読みか加算の秒"), this);
    auto* after = new QHBoxLayout;
    after->addWidget(byoyomi_);
    after->addWidget(increment_);
    after->addWidget(extra_);
    after->addStretch();
    auto* afterLabel = new QLabel(QCoreApplication::translate("MatchDialog", "その後"), this);
    afterLabel->setBuddy(byoyomi_);
    form->addRow(afterLabel, after);

    for (QSpinBox* s : {minutes_, seconds_, extra_})
        connect(s, &QSpinBox::valueChanged, this, &AllotmentEditor::edited);
    connect(byoyomi_, &QRadioButton::toggled, this, &AllotmentEditor::edited);
}

match::Allotment AllotmentEditor::value() const {
    match::Allotment a;
    a.mainSeconds = std::min(minutes_->value() * 60 + seconds_->value(), match::kMostMainSeconds);
    if (byoyomi_->isChecked())
        a.byoyomiSeconds = std::min(extra_->value(), match::kMostByoyomiSeconds);
    else
        a.incrementSeconds = std::min(extra_->value(), match::kMostIncrementSeconds);
    return a;
}

void AllotmentEditor::setValue(const match::Allotment& a) {
    minutes_->setValue(a.mainSeconds / 60);
    seconds_->setValue(a.mainSeconds % 60);
    const bool increment = a.incrementSeconds > 0 && a.byoyomiSeconds == 0;
    (increment ? increment_ : byoyomi_)->setChecked(true);
    extra_->setValue(increment ? a.incrementSeconds : a.byoyomiSeconds);
}

MatchDialog::MatchDialog(const match::MatchSettings& settings, QWidget* parent)
    : QDialog(parent), level_(settings.level) {
    setWindowTitle(QCoreApplication::translate("MatchDialog", "対局設定"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    presets_ = new QComboBox(this);
    presets_->setAccessibleName(QCoreApplication::translate("MatchDialog", "持ち時間の形式"));
    for (const auto& [name, a] : kPresets)
        presets_->addItem(QCoreApplication::translate("MatchDialog", name));
    presets_->addItem(QCoreApplication::translate("MatchDialog", "その他（下で設定）"));
    auto* presetLabel = new QLabel(QCoreApplication::translate("MatchDialog", "形式"), this);
    presetLabel->setBuddy(presets_);
    top->addRow(presetLabel, presets_);
    layout->addLayout(top);

    lowerBox_ = new QGroupBox(this);
    lower_ = new AllotmentEditor(QString(), lowerBox_);
    (new QVBoxLayout(lowerBox_))->addWidget(lower_);
    layout->addWidget(lowerBox_);

    separate_ = new QCheckBox(
        QCoreApplication::translate("MatchDialog", "上の側（ｺﾝﾋﾟｭｰﾀ、二人なら後手）に別の持ち時間"),
        this);
    separate_->setAccessibleName(
        QCoreApplication::translate("MatchDialog", "上の側に別の持ち時間"));
    layout->addWidget(separate_);
    upperBox_ =
        new QGroupBox(QCoreApplication::translate("MatchDialog", "上の側（ｺﾝﾋﾟｭｰﾀ・後手）"), this);
    upper_ = new AllotmentEditor(QCoreApplication::translate("MatchDialog", "上の側の"), upperBox_);
    (new QVBoxLayout(upperBox_))->addWidget(upper_);
    layout->addWidget(upperBox_);

    ask_ = new QCheckBox(QCoreApplication::translate(
                             "MatchDialog", "左クリックで成れるとき「成りますか？」と尋ねる"),
                         this);
    ask_->setAccessibleName(QCoreApplication::translate("MatchDialog", "成るかどうか尋ねる"));
    layout->addWidget(ask_);

    auto* strengthRow = new QFormLayout;
    strength_ = new QComboBox(this);
    strength_->setAccessibleName(QCoreApplication::translate("MatchDialog", "LEVEL4・5の強さ"));
    for (int level = engine::kSkillMin; level <= engine::kSkillMax; ++level)
        strength_->addItem(QString::fromStdString(match::strengthText(level)));
    auto* strengthLabel =
        new QLabel(QCoreApplication::translate("MatchDialog", "LEVEL4・5の強さ"), this);
    strengthLabel->setBuddy(strength_);
    strengthRow->addRow(strengthLabel, strength_);
    layout->addLayout(strengthRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    lower_->setValue(settings.time.lower);
    upper_->setValue(settings.time.upper);
    separate_->setChecked(settings.time.upper != settings.time.lower);
    ask_->setChecked(settings.askPromotion);
    strength_->setCurrentIndex(std::clamp(settings.skill, engine::kSkillMin, engine::kSkillMax));
    auto showSides = [this] {
        const bool two = separate_->isChecked();
        upperBox_->setVisible(two);
        lowerBox_->setTitle(
            two ? QCoreApplication::translate("MatchDialog", "下の側（あなた・先手）")
                : QCoreApplication::translate("MatchDialog", "両者"));
        lower_->minutes()->setAccessibleName(
            two ? QCoreApplication::translate("MatchDialog", "下の側の持ち時間の分")
                : QCoreApplication::translate("MatchDialog", "持ち時間の分"));
        adjustSize();
    };
    showSides();
    showPresetOfFields();

    connect(separate_, &QCheckBox::toggled, this, [this, showSides] {
        showSides();
        showPresetOfFields();
    });
    connect(presets_, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(std::size(kPresets))) return;
        filling_ = true;
        lower_->setValue(kPresets[index].second);
        upper_->setValue(kPresets[index].second);
        filling_ = false;
    });
    for (AllotmentEditor* e : {lower_, upper_})
        connect(e, &AllotmentEditor::edited, this, [this] {
            if (!filling_) showPresetOfFields();
        });
}

void MatchDialog::showPresetOfFields() {
    const match::MatchSettings s = settings();
    int index = static_cast<int>(std::size(kPresets)); // その他
    if (s.time.lower == s.time.upper)
        for (int i = 0; i < static_cast<int>(std::size(kPresets)); ++i)
            if (kPresets[i].second == s.time.lower) index = i;
    const QSignalBlocker quiet(presets_);
    presets_->setCurrentIndex(index);
}

match::MatchSettings MatchDialog::settings() const {
    match::MatchSettings s;
    s.level = level_;
    s.time.lower = lower_->value();
    s.time.upper = separate_->isChecked() ? upper_->value() : s.time.lower;
    s.askPromotion = ask_->isChecked();
    s.skill = strength_->currentIndex();
    return s;
}

} // namespace kelvore::qt
