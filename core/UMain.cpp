#include "core/UMain.h"

#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/Strings.h"
#include "core/UiApplication.h"
#include "evaluation/UAbout.h"
#include "storage/BackupAlarmLabel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {

TFMain* theMainWindow = nullptr;

// Client area below the menu bar, and the status line's share of it.
constexpr int ClientWidth = 453;
constexpr int ClientHeight = 336;
constexpr int StatusHeight = 45;
constexpr int PanelHeight = ClientHeight - StatusHeight;

// Room for the partner logo inside the panel.
constexpr int PartnerTop = 152;
constexpr int PartnerMaxHeight = 76;

const QString CustomerLogoName = QStringLiteral("KompLogo.BMP");

QLabel* centredLabel(QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// The customer logo as the installation has it; on a case-sensitive file system a copy
// named "komplogo.bmp" is found too.
QString customerLogoPath() {
    const QDir dir(ProgramDir::path());
    const QString exact = dir.filePath(CustomerLogoName);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& name : entries) {
        if (name.compare(CustomerLogoName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return QString();
}

} // namespace

TFMain::TFMain(Hooks hooks, QWidget* parent)
    : Retranslatable<QMainWindow>(parent), m_hooks(std::move(hooks)) {
    theMainWindow = this;
    UiApplication::initResources();
    buildWindow();
    buildMenus();
    retranslateUi();
    FormCreate();
}

TFMain::~TFMain() {
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

TFMain* TFMain::instance() {
    return theMainWindow;
}

QSize TFMain::builtInSize() const {
    return QSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

void TFMain::buildWindow() {
    setObjectName(QStringLiteral("FMain"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/o2aerolis/icon.png")));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_panel = new QWidget(client);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedSize(ClientWidth, PanelHeight);

    m_programLogo = centredLabel(m_panel, QRect(0, 4, ClientWidth, 64));
    m_programLogo->setObjectName(QStringLiteral("ProgramIcon"));
    m_programLogo->setPixmap(QPixmap(QStringLiteral(":/o2aerolis/logo.png")));

    m_productName = centredLabel(m_panel, QRect(0, 70, ClientWidth, 22));
    m_productName->setObjectName(QStringLiteral("ProductName"));
    QFont bold12 = m_productName->font();
    bold12.setBold(true);
    bold12.setPointSize(12);
    m_productName->setFont(bold12);

    m_version = centredLabel(m_panel, QRect(0, 94, ClientWidth, 18));
    m_version->setObjectName(QStringLiteral("Version"));

    m_comments = centredLabel(m_panel, QRect(0, 114, ClientWidth, 36));
    m_comments->setObjectName(QStringLiteral("Comments"));

    m_partnerLogo = new QLabel(m_panel);
    m_partnerLogo->setObjectName(QStringLiteral("PartnerLogo"));
    m_partnerLogo->setAlignment(Qt::AlignCenter);
    QPixmap partner(QStringLiteral(":/o2aerolis/partner.png"));
    m_partnerLogo->setPixmap(partner);
    m_partnerLogo->setGeometry((ClientWidth - partner.width()) / 2, PartnerTop, partner.width(),
                               partner.height());

    m_ladeLabel = centredLabel(m_panel, QRect(0, 230, ClientWidth, 32));
    m_ladeLabel->setObjectName(QStringLiteral("LadeLabel"));
    QFont bold = m_ladeLabel->font();
    bold.setBold(true);
    m_ladeLabel->setFont(bold);
    m_ladeLabel->hide();

    m_anzeige1 = new QProgressBar(m_panel);
    m_anzeige1->setObjectName(QStringLiteral("Anzeige1"));
    m_anzeige1->setGeometry(40, 266, ClientWidth - 80, 18);
    m_anzeige1->setRange(0, KompUtils::PlantCount);
    m_anzeige1->setValue(0);
    m_anzeige1->setTextVisible(false);
    m_anzeige1->hide();

    m_statusPanel = new QLabel(client);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel"));
    m_statusPanel->setFixedHeight(StatusHeight);
    m_statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusPanel->setFont(bold);
    m_statusPanel->setTextFormat(Qt::PlainText);
    m_statusPanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_statusPanel->setMargin(4);

    // The status line: the link state, and beside it the piles whose readout is late.
    auto* statusLine = new QHBoxLayout;
    statusLine->setContentsMargins(0, 0, 0, 0);
    statusLine->setSpacing(0);
    statusLine->addWidget(m_statusPanel, 1);
    m_backupPanel = new BackupAlarmLabel(client);
    m_backupPanel->setFixedHeight(StatusHeight);
    m_backupPanel->setWordWrap(true);
    // Wide enough for "Sicherung überfällig:" on one line, the plants on the next.
    m_backupPanel->setMinimumWidth(ClientWidth * 2 / 5);
    m_backupPanel->setMaximumWidth(ClientWidth / 2);
    statusLine->addWidget(m_backupPanel);

    layout->addWidget(m_panel, 0, Qt::AlignHCenter | Qt::AlignTop);
    layout->addStretch(1);
    layout->addLayout(statusLine);
    setCentralWidget(client);
}

void TFMain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto addItem = [&](QMenu* m, const char* name, QKeyCombination key, bool enabled) {
        QAction* a = m->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setShortcut(QKeySequence(key));
        a->setEnabled(enabled);
        return a;
    };
    constexpr auto Ctrl = Qt::CTRL;

    QMenu* ende = addMenu("EndeMenu");
    connect(addItem(ende, "EndeItem", Ctrl | Qt::Key_X, true), &QAction::triggered, this,
            &QWidget::close);

    // The windows behind these items join later; the items stay disabled until then.
    QMenu* setup = addMenu("PCSetupMenu");
    addItem(setup, "ProgrammSetupItem", Ctrl | Qt::Key_S, false);
    addItem(setup, "SpeicherzeitItem", Ctrl | Qt::Key_Z, false);
    setup->addSeparator();
    addItem(setup, "FirmendatenItem", Ctrl | Qt::Key_F, false);

    QMenu* messung = addMenu("MessungMenu");
    addItem(messung, "PCAnzeigeItem", Ctrl | Qt::Key_A, false);
    messung->addSeparator();
    addItem(messung, "AnlagenEinlernenItem", Ctrl | Qt::Key_E, false);
    messung->addSeparator();
    addItem(messung, "OfflineDatenItem", Ctrl | Qt::Key_O, false);

    QMenu* daten = addMenu("DatenMenu");
    addItem(daten, "MesswerteDruckenItem", Ctrl | Qt::Key_W, false);
    addItem(daten, "ProtokollItem", Ctrl | Qt::Key_P, false);
    addItem(daten, "GrafikItem", Ctrl | Qt::Key_G, false);

    addMenu("SpracheMenu"); // filled by the language switching at start-up

    QMenu* info = addMenu("InfoMenu");
    connect(addItem(info, "InfoItem", Ctrl | Qt::Key_I, true), &QAction::triggered, this,
            &TFMain::InfoClick);
}

void TFMain::retranslateUi() {
    menu(QStringLiteral("EndeMenu"))->setTitle(tr("Ende"));
    menuItem(QStringLiteral("EndeItem"))->setText(tr("&Ende"));
    menu(QStringLiteral("PCSetupMenu"))->setTitle(tr("&PC-Setup"));
    menuItem(QStringLiteral("ProgrammSetupItem"))->setText(tr("Programm &Setup"));
    menuItem(QStringLiteral("SpeicherzeitItem"))->setText(tr("Speicher&zeit"));
    menuItem(QStringLiteral("FirmendatenItem"))->setText(tr("&Firmendaten"));
    menu(QStringLiteral("MessungMenu"))->setTitle(tr("&Messung"));
    menuItem(QStringLiteral("PCAnzeigeItem"))->setText(tr("PC &Anzeige"));
    menuItem(QStringLiteral("AnlagenEinlernenItem"))->setText(tr("Anlagen einlernen"));
    menuItem(QStringLiteral("OfflineDatenItem"))->setText(tr("&Offline Daten auslesen"));
    menu(QStringLiteral("DatenMenu"))->setTitle(tr("&Daten"));
    menuItem(QStringLiteral("MesswerteDruckenItem"))->setText(tr("Mess&werte drucken"));
    menuItem(QStringLiteral("ProtokollItem"))->setText(tr("&Protokoll Gütegemeinschaft"));
    menuItem(QStringLiteral("GrafikItem"))->setText(tr("&Grafik erstellen"));
    menu(QStringLiteral("SpracheMenu"))->setTitle(tr("Sprache"));
    Language::retranslateMenu(menu(QStringLiteral("SpracheMenu")));
    menu(QStringLiteral("InfoMenu"))->setTitle(tr("&Info"));
    menuItem(QStringLiteral("InfoItem"))->setText(tr("&Info"));

    m_productName->setText(productNameText());
    m_version->setText(versionText());
    m_comments->setText(commentsText());
    m_ladeLabel->setText(Messages::lineBreaks(
        tr("Einlesen der Systemumgebung!!!\r Anlernen der angeschlossenen Steuerungen.")));
    SetHeader();
    if (m_hooks.retranslateStatus)
        m_hooks.retranslateStatus(*this);
}

QString TFMain::productNameText() {
    return tr("O2- Aerolis a");
}

QString TFMain::versionText() {
    return tr("Version 3.0.5");
}

QString TFMain::commentsText() {
    return Messages::lineBreaks(
        tr("Assynchrone Messwertspeicherung und\rVisualisierung in Zusammenarbeit mit"));
}

QAction* TFMain::menuItem(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

QMenu* TFMain::menu(const QString& objectName) const {
    return findChild<QMenu*>(objectName);
}

QPixmap TFMain::programLogoPixmap() const {
    return m_programLogo->pixmap();
}

void TFMain::setStatusText(const QString& text) {
    m_statusText = text;
    m_statusPanel->setText(Messages::lineBreaks(text));
}

QString TFMain::statusText() const {
    return m_statusText;
}

void TFMain::SetHeader() {
    const QString caption = m_productName->text() + QLatin1Char('-') +
                            QString::number(KompUtils::DisplayOffset + 1) + QStringLiteral(" .. ") +
                            QString::number(KompUtils::DisplayOffset + KompUtils::PlantCount);
    setWindowTitle(caption);
    QGuiApplication::setApplicationDisplayName(caption);
}

void TFMain::FormCreate() {
    Language::init(menu(QStringLiteral("SpracheMenu")));
    // No input until the link is decided.
    setEnabled(false);
    Settings::open(ProgramDir::iniPath());
    setFixedSize(builtInSize());
    move(BuiltInLeft, BuiltInTop);
    RestoreFormPosition();
    // PlantCount, DisplayOffset, ReadoutHour, units, reference temperature and caption.
    Settings::LoadDisplaySettings();
    SetHeader();
    Settings::ComputeBackupDue();
    LoadPartnerLogo();

    // --- Link seam: BaseTimeout from "TIMEOUT".
    if (m_hooks.readBaseTimeout)
        m_hooks.readBaseTimeout(*this);

    show();

    // --- Link seam: ReadLinkSettings opens the link; then the window is enabled (and the
    // teach-in run) on the serial line, or left for the TCP connect / error event.
    if (m_hooks.readLinkSettings)
        m_hooks.readLinkSettings(*this);
    if (m_hooks.startLink)
        m_hooks.startLink(*this);
    else
        setEnabled(true);
}

void TFMain::RestoreFormPosition() {
    if (!Settings::isOpen())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->geometry().size() : QSize(1024, 768);
    Strings::FormPosition p;
    if (!Strings::ReadFormPosition(Settings::file(), Keys::Form, desktop, &p))
        return;
    // A damaged section must not shrink the window below its contents (a zero width would
    // leave no window to see); fitted to the desktop as before.
    const QSize least = builtInSize().boundedTo(desktop);
    if (p.Width < least.width()) {
        p.Width = least.width();
        if (p.Left > desktop.width() - p.Width)
            p.Left = desktop.width() - p.Width;
    }
    if (p.Height < least.height()) {
        p.Height = least.height();
        if (p.Top > desktop.height() - p.Height)
            p.Top = desktop.height() - p.Height;
    }
    move(p.Left, p.Top);
    setFixedSize(p.Width, p.Height);
    if (p.State == 1)
        setWindowState(Qt::WindowMinimized);
    else if (p.State == 2)
        setWindowState(Qt::WindowMaximized);
}

void TFMain::SaveFormPosition() {
    if (!Settings::isOpen())
        return;
    Strings::FormPosition p;
    p.Left = pos().x();
    p.Top = pos().y();
    p.Width = width();
    p.Height = height();
    const Qt::WindowStates s = windowState();
    p.State = s.testFlag(Qt::WindowMinimized) ? 1 : s.testFlag(Qt::WindowMaximized) ? 2 : 0;
    Strings::WriteFormPosition(Settings::file(), Keys::Form, p);
}

void TFMain::LoadPartnerLogo() {
    const QString path = customerLogoPath();
    if (path.isEmpty())
        return;
    QPixmap picture;
    // An unreadable file leaves the built-in logo, as a missing one does.
    if (!picture.load(path) || picture.isNull())
        return;
    // The picture sizes the image; one larger than the room under the text is scaled down.
    if (picture.width() > ClientWidth || picture.height() > PartnerMaxHeight)
        picture = picture.scaled(ClientWidth, PartnerMaxHeight, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    m_partnerLogo->setPixmap(picture);
    m_partnerLogo->setGeometry((ClientWidth - picture.width()) / 2, PartnerTop, picture.width(),
                               picture.height());
}

void TFMain::InfoClick() {
    TFAbout about(*this, this);
    about.exec();
}

void TFMain::closeEvent(QCloseEvent* event) {
    // A second close while the end sequence waits (closing the TCP link processes events)
    // is left to the first one.
    if (m_closing) {
        event->ignore();
        return;
    }
    // Ending inside a teach-in would release the settings file under its writes, and during
    // the start-up before the program's loop could end on it.
    if (!m_closed && m_hooks.busy && m_hooks.busy(*this)) {
        m_closePutOff = true;
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closing = true;
        FormClose();
        m_closing = false;
    }
    event->accept();
}

void TFMain::busyEnded() {
    if (!m_closePutOff)
        return;
    m_closePutOff = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFMain::FormClose() {
    SaveFormPosition();

    // --- Link seam: stop the poll, close the serial port, close the TCP link. They run
    // before the settings file is released, because closing the TCP link waits with events
    // running, and anything that writes a setting then must still reach the file.
    if (m_hooks.stopPoll)
        m_hooks.stopPoll(*this);
    if (m_hooks.closeSerialPort)
        m_hooks.closeSerialPort(*this);
    if (m_hooks.closeSocket)
        m_hooks.closeSocket(*this);

    Settings::close();
    m_closed = true;
    emit closed();
}
