#include "core/UPC_Setup.h"

#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/OneLineEdit.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "core/UMain.h"
#include "link/Link.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <cmath>

using namespace Kommunikation;

namespace {
constexpr int ClientWidth = 354;
constexpr int ClientHeight = 501;
constexpr double RefTempMin = 30;
constexpr double RefTempMax = 80;

QLabel* textLabel(QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}
} // namespace

WholeNumberSpin::WholeNumberSpin(QWidget* parent) : QDoubleSpinBox(parent) {
    // One decimal inside, so that limits such as 86.1 and converted values stay exact.
    setDecimals(1);
    setSingleStep(1);
}

double WholeNumberSpin::shownValue() const {
    return m_tenths ? std::round(value() * 10) / 10 : std::round(value());
}

void WholeNumberSpin::setShowTenths(bool on) {
    m_tenths = on;
    setValue(value()); // shown again
    lineEdit()->setText(textFromValue(value()));
}

QString WholeNumberSpin::textFromValue(double value) const {
    if (m_tenths)
        return Regional::formatReal(std::round(value * 10) / 10, 1);
    return QString::number(std::round(value), 'f', 0);
}

TFPC_Setup::TFPC_Setup(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("TFPC_Setup"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240)); // 15790320
    setPalette(pal);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(8, 8, 338, 200);
    m_serialPage = new QWidget;
    m_netPage = new QWidget;
    PageControl1->addTab(m_serialPage, QString());
    PageControl1->addTab(m_netPage, QString());

    m_portGroup = new QGroupBox(m_serialPage);
    m_portGroup->setGeometry(8, 4, 110, 160);
    auto* ports = new QButtonGroup(this);
    for (int n = 1; n <= 8; ++n) {
        ComButton[n] = new QRadioButton(QStringLiteral("COM%1").arg(n), m_portGroup);
        ComButton[n]->setGeometry(12, 4 + 18 * n, 90, 18);
        ComButton[n]->setObjectName(QStringLiteral("COM%1").arg(n));
        ports->addButton(ComButton[n], n);
    }
    connect(ports, &QButtonGroup::idClicked, this, &TFPC_Setup::ComSelectClick);
    m_serialText = textLabel(m_serialPage, QRect(130, 12, 196, 90));
    BaudLabel = textLabel(m_serialPage, QRect(130, 120, 196, 20));
    BaudLabel->setObjectName(QStringLiteral("BaudLabel"));

    m_netAddressLabel = textLabel(m_netPage, QRect(12, 10, 300, 18));
    NetAddressEdit = new QLineEdit(m_netPage);
    NetAddressEdit->setGeometry(12, 28, 300, 24);
    NetAddressEdit->setMaxLength(40);
    OneLineEdit::apply(NetAddressEdit);
    m_netPortLabel = textLabel(m_netPage, QRect(12, 58, 140, 18));
    NetPortEdit = new QSpinBox(m_netPage);
    NetPortEdit->setGeometry(12, 76, 120, 24);
    NetPortEdit->setRange(0, 65535);
    m_timeoutLabel = textLabel(m_netPage, QRect(160, 58, 160, 18));
    TimeoutSpin = new QSpinBox(m_netPage);
    TimeoutSpin->setGeometry(160, 76, 100, 24);
    TimeoutSpin->setRange(300, 600);
    TimeoutSpin->setSingleStep(10);
    Button1 = new QPushButton(m_netPage);
    Button1->setGeometry(12, 120, 120, 28);
    connect(Button1, &QPushButton::clicked, this, &TFPC_Setup::Button1Click);

    m_unitGroup = new QGroupBox(this);
    m_unitGroup->setGeometry(8, 214, 338, 130);
    CelsiusCheck = new QCheckBox(m_unitGroup);
    CelsiusCheck->setGeometry(10, 20, 320, 20);
    ShowRefCheck = new QCheckBox(m_unitGroup);
    ShowRefCheck->setGeometry(10, 44, 320, 20);
    RefTempSelect = new WholeNumberSpin(m_unitGroup);
    RefTempSelect->setGeometry(10, 76, 70, 24);
    SelectEinheit = textLabel(m_unitGroup, QRect(86, 80, 30, 18));
    m_refText = textLabel(m_unitGroup, QRect(130, 70, 200, 54));

    m_offsetGroup = new QGroupBox(this);
    m_offsetGroup->setGeometry(8, 350, 338, 110);
    DispOffsetSelect = new QSpinBox(m_offsetGroup);
    DispOffsetSelect->setGeometry(10, 24, 70, 24);
    DispOffsetSelect->setRange(1, 999);
    m_offsetText = textLabel(m_offsetGroup, QRect(90, 16, 244, 92));
    QFont small = m_offsetText->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_offsetText->setFont(small);

    OKBtn = new QPushButton(this);
    OKBtn->setGeometry(90, 466, 80, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setGeometry(184, 466, 80, 28);
    connect(OKBtn, &QPushButton::clicked, this, &TFPC_Setup::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFPC_Setup::CancelBtnClick);

    retranslateUi();
    FormCreate();

    // Only the user's page changes count, not the one FormCreate chose.
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFPC_Setup::PageControl1Change);
    connect(CelsiusCheck, &QCheckBox::clicked, this, &TFPC_Setup::CelsiusCheckClick);
    connect(ShowRefCheck, &QCheckBox::clicked, this, &TFPC_Setup::ShowRefCheckClick);

    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TFPC_Setup::retranslateUi() {
    setWindowTitle(tr("PC- Setup"));
    PageControl1->setTabText(0, tr("Seriell"));
    PageControl1->setTabText(1, tr("Netzwerk"));
    m_portGroup->setTitle(tr("Schnittstelle"));
    m_serialText->setText(Messages::lineBreaks(
        tr("Auswahl COM- Port:\rKommunikation läuft mit\r8 Datenbits, 1Stopbit, \rKeine Parität")));
    BaudLabel->setText(tr("%1 Baud").arg(BaudRate(BaudIndex)));
    m_netAddressLabel->setText(tr("IP- Adresse oder Netzwerkname"));
    m_netPortLabel->setText(tr("Port- Nummer"));
    m_timeoutLabel->setText(tr("Ping-Zeit [300ms- 60ms]"));
    Button1->setText(tr("Verbinden"));
    CelsiusCheck->setText(tr("Anzeige: °F/in nicht aktiviert [°C/ cm]"));
    ShowRefCheck->setText(tr("Anzeige Tiefe Referenztemp. in Protokoll"));
    SelectEinheit->setText(CelsiusCheck->isChecked() ? tr("°F") : tr("°C"));
    m_refText->setText(Messages::lineBreaks(
        tr("Auswahl derTemperatur\r\nbei welcher die Referenztiefe\r\nberechnet wird.")));
    m_offsetGroup->setTitle(tr("Offset für Mietenanzeige"));
    m_offsetText->setText(Messages::lineBreaks(
        tr("Auswahl des Anzeige- Offsets.\r\nIn den Mietennummern wird der Offset zu der\r\n"
           "physikalischen Adresse hinzugerechnet.\r\nBsp.: Offset = 10\r\nAnl.Nr    Anzeige\r\n"
           "    1    Anl 10\r\n    2    Anl 11\r\n    3    Anl 12")));
    OKBtn->setText(tr("OK"));
    CancelBtn->setText(tr("Abbrechen"));
}

void TFPC_Setup::FormCreate() {
    m_linkChanged = false;
    m_chosenLayer = LinkLayer;
    if (Link* link = Link::current())
        link->ComPort1.setBaudRate(BaudRate(BaudIndex));
    for (int n = 1; n <= 8; ++n)
        ComButton[n]->setEnabled(PortExists(SerialPortName(n)));
    m_chosenPort = ComNumber;
    if (ComNumber >= 1 && ComNumber <= 8)
        ComButton[ComNumber]->setChecked(true);

    RefTempSelect->setRange(RefTempMin, RefTempMax);
    // A stored value with tenths is shown with them, so that what the field shows is what
    // the file holds.
    RefTempSelect->setShowTenths(std::round(KompUtils::RefTemp * 10) !=
                                 std::round(KompUtils::RefTemp) * 10);
    RefTempSelect->setValue(KompUtils::RefTemp);
    CelsiusCheck->setChecked(KompUtils::ImperialUnits);
    if (KompUtils::ImperialUnits)
        CelsiusCheckClick();
    m_celsiusShown = KompUtils::ImperialUnits;
    ShowRefCheck->setChecked(KompUtils::ShowRefDepth);
    RefTempSelect->setEnabled(KompUtils::ShowRefDepth);
    m_refTempShown = RefTempSelect->value();
    DispOffsetSelect->setValue(KompUtils::DisplayOffset + 1);
    NetAddressEdit->setText(NetAddress);
    NetPortEdit->setValue(NetPort);
    TimeoutSpin->setValue(BaseTimeout);
    PageControl1->setCurrentIndex(LinkLayer == 1 ? 1 : 0);
}

void TFPC_Setup::SetRefTempUnit(double value) {
    if (CelsiusCheck->isChecked()) {
        SelectEinheit->setText(tr("°F"));
        RefTempSelect->setRange(KompUtils::CToFReal(RefTempMin), KompUtils::CToFReal(RefTempMax));
    } else {
        SelectEinheit->setText(tr("°C"));
        RefTempSelect->setRange(RefTempMin, RefTempMax);
    }
    RefTempSelect->setValue(value);
}

void TFPC_Setup::CelsiusCheckClick() {
    const double shown = RefTempSelect->shownValue();
    RefTempSelect->setShowTenths(false); // a converted value is shown whole
    SetRefTempUnit(CelsiusCheck->isChecked() ? KompUtils::CToFReal(shown)
                                             : KompUtils::FToCReal(shown));
}

void TFPC_Setup::ShowRefCheckClick() {
    RefTempSelect->setEnabled(ShowRefCheck->isChecked());
}

void TFPC_Setup::ComSelectClick(int number) {
    m_chosenPort = number;
}

void TFPC_Setup::PageControl1Change(int index) {
    m_chosenLayer = index == 1 ? 1 : 0;
    m_linkChanged = true;
}

void TFPC_Setup::Button1Click() {
    LinkLayer = uint8_t(m_chosenLayer);
    if (Link* link = Link::current())
        link->OpenLink();
}

void TFPC_Setup::CancelBtnClick() {
    reject();
}

void TFPC_Setup::reject() {
    m_linkChanged = false;
    Retranslatable<QDialog>::reject();
}

void TFPC_Setup::OKBtnClick() {
    IniFile& ini = Settings::file();
    if (NetAddressEdit->text() != NetAddress) {
        NetAddress = NetAddressEdit->text();
        m_linkChanged = true;
    }
    if (NetPortEdit->value() != NetPort) {
        NetPort = NetPortEdit->value();
        m_linkChanged = true;
    }
    if (m_chosenPort != ComNumber) {
        ComNumber = uint16_t(m_chosenPort);
        ini.writeInteger(Keys::Com, Keys::ComPort, ComNumber);
        m_linkChanged = true;
    }
    if (TimeoutSpin->value() != BaseTimeout) {
        BaseTimeout = uint16_t(TimeoutSpin->value());
        ini.writeInteger(Keys::Com, Keys::Timeout, BaseTimeout);
        m_linkChanged = true;
    }
    if (m_linkChanged) {
        LinkLayer = uint8_t(m_chosenLayer);
        if (Link* link = Link::current())
            link->OpenLink();
        if (LinkLayer == 1) {
            ini.writeInteger(Keys::Com, Keys::Layer, 1);
            ini.writeString(Keys::Com, Keys::NetAdr, NetAddress);
            ini.writeInteger(Keys::Com, Keys::NetPort, NetPort);
        } else {
            ini.writeInteger(Keys::Com, Keys::Layer, 0);
            ini.writeInteger(Keys::Com, Keys::ComPort, ComNumber);
        }
    }
    if (CelsiusCheck->isChecked() != KompUtils::ImperialUnits) {
        KompUtils::ImperialUnits = CelsiusCheck->isChecked();
        ini.writeBool(Keys::Com, Keys::Metric, KompUtils::ImperialUnits);
    }
    if (ShowRefCheck->isChecked() != KompUtils::ShowRefDepth) {
        KompUtils::ShowRefDepth = ShowRefCheck->isChecked();
        ini.writeBool(Keys::Com, Keys::ShowRef, KompUtils::ShowRefDepth);
    }
    double t = RefTempSelect->shownValue();
    if (KompUtils::ImperialUnits)
        t = KompUtils::FToCReal(t);
    // A field the user left as it was keeps the stored value, even where the field could
    // not show it exactly (clamped to its limits, or converted to °F and back).
    const bool refTempTouched =
        RefTempSelect->value() != m_refTempShown || CelsiusCheck->isChecked() != m_celsiusShown;
    if (refTempTouched && t != KompUtils::RefTemp) {
        KompUtils::RefTemp = t;
        ini.writeFloat(Keys::Com, Keys::RefTemp, t);
    }
    KompUtils::MakeRefCaption();
    const int n = DispOffsetSelect->value();
    if (n != KompUtils::DisplayOffset + 1) {
        KompUtils::DisplayOffset = n - 1;
        ini.writeInteger(Keys::Com, Keys::DispOffset, n);
        if (TFMain* main = TFMain::instance())
            main->SetHeader();
    }
    accept();
}
