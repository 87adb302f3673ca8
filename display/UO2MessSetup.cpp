#include "display/UO2MessSetup.h"

#include "core/Messages.h"
#include "core/PlantTabs.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>

using namespace Kommunikation;
using SetupRules::O2Pair;

namespace {
constexpr int ClientWidth = 642;
constexpr int ClientHeight = 429;
constexpr int FirstRowTop = 66;
constexpr int RowHeight = 36;

QLabel* plainLabel(QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QSpinBox* minutesField(QWidget* parent, int maximum) {
    auto* s = new QSpinBox(parent);
    s->setRange(1, maximum);
    s->setSingleStep(1);
    return s;
}

QDoubleSpinBox* o2Field(QWidget* parent) {
    auto* s = new QDoubleSpinBox(parent);
    s->setDecimals(1);
    s->setRange(SetupRules::fromTenths(SetupRules::O2Min),
                SetupRules::fromTenths(SetupRules::O2Max));
    s->setSingleStep(0.1);
    // The linking rules move the other field; they run on a finished entry, not on every
    // keystroke of a value being typed.
    s->setKeyboardTracking(false);
    return s;
}
} // namespace

TFO2MessSetup::TFO2MessSetup(int plant, SetupRules::TimerControl timers, QWidget* parent)
    : Retranslatable<QDialog>(parent), m_timers(std::move(timers)) {
    setObjectName(QStringLiteral("TFO2MessSetup"));
    setFixedSize(ClientWidth, ClientHeight);

    TabControl1 = new QTabBar(this);
    TabControl1->setGeometry(8, 6, ClientWidth - 16, 28);
    TabControl1->setUsesScrollButtons(true);
    TabControl1->setExpanding(false);
    TabControl1->setDrawBase(true);

    MieteName = plainLabel(this, QRect(8, 36, ClientWidth - 16, 24));
    MieteName->setObjectName(QStringLiteral("MieteName"));
    QFont bold = MieteName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    MieteName->setFont(bold);
    MieteName->setAlignment(Qt::AlignCenter);

    O2EINEdit = o2Field(this);
    O2AUSEdit = o2Field(this);
    SpeicherEdit = minutesField(this, 1440);
    IntEINEdit = minutesField(this, 300);
    IntAUSEdit = minutesField(this, 300);
    MaxEinEdit = minutesField(this, 300);
    MaxAUSEdit = minutesField(this, 300);
    NotEINEdit = minutesField(this, 300);
    NotAUSEdit = minutesField(this, 300);
    const QList<QWidget*> all = fields();
    const char* names[] = {"O2EINEdit",  "O2AUSEdit",  "SpeicherEdit", "IntEINEdit", "IntAUSEdit",
                           "MaxEinEdit", "MaxAUSEdit", "NotEINEdit",   "NotAUSEdit"};
    for (int i = 0; i < 9; ++i) {
        const int top = FirstRowTop + i * RowHeight;
        Row& r = m_rows[i];
        r.field = all[i];
        r.field->setObjectName(QLatin1String(names[i]));
        r.caption = plainLabel(this, QRect(8, top + 4, 160, 20));
        r.field->setGeometry(172, top + 2, 72, 24);
        r.unit = plainLabel(this, QRect(250, top + 4, 50, 20));
        r.explanation = plainLabel(this, QRect(306, top - 2, ClientWidth - 314, RowHeight));
        r.explanation->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    OKBtn = new QPushButton(this);
    OKBtn->setGeometry(ClientWidth / 2 - 100, ClientHeight - 40, 90, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setGeometry(ClientWidth / 2 + 10, ClientHeight - 40, 90, 28);
    connect(OKBtn, &QPushButton::clicked, this, &TFO2MessSetup::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    retranslateUi();
    FormCreate(plant);

    connect(TabControl1, &QTabBar::currentChanged, this, &TFO2MessSetup::TabControl1Change);
    connect(O2EINEdit, &QDoubleSpinBox::valueChanged, this, &TFO2MessSetup::O2EINEditChange);
    connect(O2AUSEdit, &QDoubleSpinBox::valueChanged, this, &TFO2MessSetup::O2AUSEditChange);
    connect(SpeicherEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::SpeicherEditChange);
    connect(IntEINEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::IntEditEinchanged);
    connect(IntAUSEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::IntEditAuschanged);
    connect(MaxEinEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::MaxEditChange);
    connect(MaxAUSEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::MaxEditChange);
    connect(NotEINEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::NotEditChange);
    connect(NotAUSEdit, &QSpinBox::valueChanged, this, &TFO2MessSetup::NotEditChange);
}

int TFO2MessSetup::showFor(int plant, SetupRules::TimerControl timers, QWidget* parent) {
    TFO2MessSetup dialog(plant, std::move(timers), parent);
    return dialog.exec();
}

QList<QWidget*> TFO2MessSetup::fields() const {
    return {O2EINEdit,  O2AUSEdit,  SpeicherEdit, IntEINEdit, IntAUSEdit,
            MaxEinEdit, MaxAUSEdit, NotEINEdit,   NotAUSEdit};
}

void TFO2MessSetup::retranslateUi() {
    setWindowTitle(tr("Mess- Steuerung Setup"));
    const QString minutes = tr("[min]");
    const QString vol = tr("[vol%]");
    const QString captions[9] = {
        tr("O2-Einschaltwert:"),      tr("O2-Ausschaltwert:"),      tr("Speicherintervall"),
        tr("Lüfter- EIN- Intervall"), tr("Lüfter- AUS- Intervall"), tr("Max Lüfter- EIN-Zeit"),
        tr("Max. Lüfter- AUS- Zeit"), tr("Safety mode ON time"),    tr("Safety mode OFF time")};
    const QString hints[9] = {QString(),
                              QString(),
                              tr("Range 1-1440min"),
                              tr("Range 1-300min"),
                              tr("Range 1-300min"),
                              tr("Bereich 1-300min"),
                              tr("Bereich 1-300min"),
                              tr("Bereich 1-300min"),
                              tr("Bereich 1-300min")};
    const QString explanations[9] = {
        tr("Sauerstoffkonzentration, bei welcher der \r\nLuefter eingeschaltet wird."),
        tr("Sauerstoffkonzentration, bei welcher der \r\nLuefter ausgeschaltet wird."),
        tr("Alle N- Minuten werden die aktuellen Mess-\r\nwerte in der Protokolldatei "
           "abgespeichert."),
        tr("Zeit wie lange der Lüfter im Intervallbetrieb\r\neingeschaltet ist."),
        tr("Zeit wie lange der Lüfter im Intervallbetrieb\r\nausgeschaltet ist."),
        tr("Zeit wie lange der Lüfter im maximal laufen\r\ndarf, bevor der Steuerbetrieb "
           "gestartet wird."),
        tr("Zeit wie lange der Lüfter maximal abgeschaltet\r\nsein darf, bevor der "
           "Steuerbetrieb gestartet wird."),
        tr("Zeit wie lange der Lüfter im Steuerbetrieb\r\neingeschaltet ist."),
        tr("Zeit wie lange der Lüfter im Steuerbetrieb\r\nausgeschaltet ist.")};
    for (int i = 0; i < 9; ++i) {
        m_rows[i].caption->setText(captions[i]);
        m_rows[i].unit->setText(i < 2 ? vol : minutes);
        m_rows[i].field->setToolTip(hints[i]);
        m_rows[i].explanation->setText(Messages::lineBreaks(explanations[i]));
    }
    OKBtn->setText(tr("OK"));
    CancelBtn->setText(tr("Abbrechen"));
    showPlantName();
}

void TFO2MessSetup::FormCreate(int plant) {
    FillPlantTabs(TabControl1, KompUtils::PlantCount);
    m_dialogPlant = Daten::isPlantAddress(plant) ? plant : 1;
    SelectPlantTab(TabControl1, m_dialogPlant - 1);
    showPlantName();
    ShowSetupValues();
}

void TFO2MessSetup::showPlantName() {
    const tAnlageParameter& a = Daten::Anlage[m_dialogPlant];
    if (!a.Present)
        MieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
    else if (a.SwitchedOn)
        MieteName->setText(a.Name);
    else
        MieteName->setText(tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
}

void TFO2MessSetup::showO2(const O2Pair& p) {
    // Both fields belong to one change mark; the pair is already consistent.
    const QSignalBlocker quietOn(O2EINEdit);
    const QSignalBlocker quietOff(O2AUSEdit);
    O2EINEdit->setValue(SetupRules::fromTenths(p.on));
    O2AUSEdit->setValue(SetupRules::fromTenths(p.off));
}

void TFO2MessSetup::ShowSetupValues() {
    const tSetupValues& v = Daten::SetupValues;
    SpeicherEdit->setValue(v.StorageInterval);
    IntEINEdit->setValue(v.IntervalOn);
    IntAUSEdit->setValue(v.IntervalOff);
    NotEINEdit->setValue(v.SafetyOn);
    NotAUSEdit->setValue(v.SafetyOff);
    showO2(SetupRules::shownFromLoaded(v.O2On, v.O2Off));
    MaxEinEdit->setValue(v.MaxOn);
    MaxAUSEdit->setValue(v.MaxOff);
    for (QWidget* f : fields())
        f->setEnabled(true);
    ClearChangeMarks();
}

void TFO2MessSetup::DisableSetupFields() {
    for (QWidget* f : fields())
        f->setEnabled(false);
    ClearChangeMarks();
}

void TFO2MessSetup::ClearChangeMarks() {
    m_marks = {};
}

tSetupValues TFO2MessSetup::fieldValues() const {
    tSetupValues v;
    v.Valid = true;
    v.StorageInterval = SpeicherEdit->value();
    v.O2On = SetupRules::toTenths(O2EINEdit->value());
    v.O2Off = SetupRules::toTenths(O2AUSEdit->value());
    v.IntervalOn = IntEINEdit->value();
    v.IntervalOff = IntAUSEdit->value();
    v.MaxOn = MaxEinEdit->value();
    v.MaxOff = MaxAUSEdit->value();
    v.SafetyOn = NotEINEdit->value();
    v.SafetyOff = NotAUSEdit->value();
    return v;
}

void TFO2MessSetup::O2EINEditChange() {
    m_marks.O2Thresholds = true;
    showO2(SetupRules::afterOnChange(
        {SetupRules::toTenths(O2EINEdit->value()), SetupRules::toTenths(O2AUSEdit->value())}));
}

void TFO2MessSetup::O2AUSEditChange() {
    m_marks.O2Thresholds = true;
    showO2(SetupRules::afterOffChange(
        {SetupRules::toTenths(O2EINEdit->value()), SetupRules::toTenths(O2AUSEdit->value())}));
}

void TFO2MessSetup::SpeicherEditChange() {
    m_marks.StorageInterval = true;
}

void TFO2MessSetup::IntEditEinchanged() {
    m_marks.IntervalOn = true;
}

void TFO2MessSetup::IntEditAuschanged() {
    m_marks.IntervalOff = true;
}

void TFO2MessSetup::MaxEditChange() {
    m_marks.MaxTimes = true;
}

void TFO2MessSetup::NotEditChange() {
    m_marks.SafetyTimes = true;
}

void TFO2MessSetup::SendChanges() {
    // A value still being typed counts as entered.
    for (QWidget* f : fields())
        if (auto* s = qobject_cast<QAbstractSpinBox*>(f))
            s->interpretText();
    WriteSetup(m_dialogPlant, fieldValues(), m_marks);
}

void TFO2MessSetup::OKBtnClick() {
    SendChanges();
    accept();
}

void TFO2MessSetup::TabControl1Change(int index) {
    if (index < 0)
        return;
    if (SetupRules::anyChange(m_marks) &&
        Messages::confirmation(tr("Setup gändert, in Steuerung laden?"), this))
        SendChanges();
    m_dialogPlant = index + 1;
    showPlantName();
    if (!Daten::Anlage[m_dialogPlant].Present) {
        DisableSetupFields();
        return;
    }
    // No second tab switch, OK or cancel may start while the read waits for its reply:
    // the values shown must be the chosen plant's.
    setEnabled(false);
    m_timers.stopTimer();
    const bool read = ReadSetup(m_dialogPlant);
    if (read) {
        m_timers.startTimer();
        ShowSetupValues();
        setEnabled(true);
        return;
    }
    DisableSetupFields();
    m_timers.startTimer();
    setEnabled(true);
    Messages::information(tr("TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- "
                             "Einstellung überprüfen!\rBitte Kabel und PC- Einstellung "
                             "überprüfen!"),
                          this);
}
