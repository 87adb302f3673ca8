// The main window: the small start window with the program's name, logos and status line,
// the menus that open every other window, the settings file for the whole run, the saved
// window position and the orderly end of the program.
//
// The controller link and the teach-in plug in through Hooks (start-up and end) and through
// the menu items, which are reachable by object name (see menuItem()).
#pragma once

#include "core/Language.h"

#include <QMainWindow>
#include <QPixmap>
#include <functional>

class BackupAlarmLabel;
class QLabel;
class QMenu;
class QProgressBar;
class QWidget;

class TFMain : public Retranslatable<QMainWindow> {
    Q_OBJECT

public:
    // Where the link and the teach-in join the start-up and the end. Every hook is optional.
    struct Hooks {
        // Start-up, after the display settings: BaseTimeout := "TIMEOUT" (default 300).
        std::function<void(TFMain&)> readBaseTimeout;
        // Start-up, after the window is shown: ReadLinkSettings, which opens the link.
        std::function<void(TFMain&)> readLinkSettings;
        // Start-up, last step: the window is still disabled here. On the serial line enable
        // it and run TeachIn; on TCP leave it disabled for the connect or error event. Without
        // this hook the window is simply enabled.
        std::function<void(TFMain&)> startLink;
        // Program end, after the window position is saved and while the settings file is
        // still open: stop the poll timer, close the serial port, SchliesseSocketVerbindung
        // (500). The settings file is released only after all three.
        std::function<void(TFMain&)> stopPoll;
        std::function<void(TFMain&)> closeSerialPort;
        std::function<void(TFMain&)> closeSocket;
        // After a language switch: the status line again, in the new language.
        std::function<void(TFMain&)> retranslateStatus;
        // True while the program must not end (a teach-in runs): a close is then put off
        // until busyEnded().
        std::function<bool(TFMain&)> busy;
    };

    // Runs FormCreate: the window is shown when the constructor returns.
    explicit TFMain(Hooks hooks = {}, QWidget* parent = nullptr);
    ~TFMain() override;

    // The one main window while it exists, else nullptr.
    static TFMain* instance();

    // The busy hook no longer holds: a close asked for meanwhile runs now, from the event
    // loop (during the start-up that is once the program's loop runs).
    void busyEnded();

    Hooks& hooks() { return m_hooks; }

    // Caption and application title: product name, "-", first and last displayed plant
    // number. Called again after a change of DisplayOffset.
    void SetHeader();

    // The status line; "\r" is a line break.
    void setStatusText(const QString& text);
    QString statusText() const;

    // Menu items and menus by object name. Items: EndeItem, ProgrammSetupItem,
    // SpeicherzeitItem, FirmendatenItem, PCAnzeigeItem, AnlagenEinlernenItem,
    // OfflineDatenItem, MesswerteDruckenItem, ProtokollItem, GrafikItem, InfoItem, and
    // LanguageDe/En/Fr. Menus: EndeMenu, PCSetupMenu, MessungMenu, DatenMenu, SpracheMenu,
    // InfoMenu. Items whose windows are not wired yet are disabled.
    QAction* menuItem(const QString& objectName) const;
    QMenu* menu(const QString& objectName) const;

    // Controls that other parts of the program use.
    QLabel* LadeLabel() const { return m_ladeLabel; }
    QProgressBar* Anzeige1() const { return m_anzeige1; }
    QLabel* StatusPanel() const { return m_statusPanel; }
    // The status line's panel of late and urgent piles; hidden while there is none.
    BackupAlarmLabel* BackupPanel() const { return m_backupPanel; }
    QLabel* ProductName() const { return m_productName; }
    QLabel* VersionLabel() const { return m_version; }
    QLabel* Comments() const { return m_comments; }
    QLabel* ProgramLogo() const { return m_programLogo; }
    QLabel* PartnerLogo() const { return m_partnerLogo; }
    QPixmap programLogoPixmap() const;

    // The texts of the name, version and comments labels in the language in force; the
    // about window takes them too, so that it follows a language switch while it is open.
    static QString productNameText();
    static QString versionText();
    static QString commentsText();

    // The window's size without a saved position: client area 453 x 336 below the menu bar.
    QSize builtInSize() const;
    static constexpr int BuiltInLeft = 512;
    static constexpr int BuiltInTop = 156;

signals:
    // The end sequence has run; the program entry quits the event loop on it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void retranslateUi() override;

private:
    void buildWindow();
    void buildMenus();
    void FormCreate();
    void FormClose();
    void RestoreFormPosition();
    void SaveFormPosition();
    void LoadPartnerLogo();
    void InfoClick();

    Hooks m_hooks;
    bool m_closing = false;
    bool m_closed = false;
    bool m_closePutOff = false;

    QWidget* m_panel = nullptr;
    QLabel* m_programLogo = nullptr;
    QLabel* m_productName = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_comments = nullptr;
    QLabel* m_partnerLogo = nullptr;
    QLabel* m_ladeLabel = nullptr;
    QProgressBar* m_anzeige1 = nullptr;
    QLabel* m_statusPanel = nullptr;
    QString m_statusText;
    BackupAlarmLabel* m_backupPanel = nullptr;
};
