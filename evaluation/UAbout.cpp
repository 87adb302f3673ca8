#include "evaluation/UAbout.h"

#include "core/UMain.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int ClientWidth = 348;
constexpr int ClientHeight = 215;
} // namespace

TFAbout::TFAbout(const TFMain& main, QWidget* parent) : Retranslatable<QDialog>(parent) {
    m_fromMain = true;
    build();
    FormCreate(main.ProductName()->text(), main.VersionLabel()->text(), main.Comments()->text(),
               main.programLogoPixmap());
}

TFAbout::TFAbout(const QString& productName, const QString& version, const QString& comments,
                 const QPixmap& logo, QWidget* parent)
    : Retranslatable<QDialog>(parent) {
    build();
    FormCreate(productName, version, comments, logo);
}

void TFAbout::ShowAbout(QWidget* parent) {
    if (const TFMain* main = TFMain::instance()) {
        TFAbout about(*main, parent);
        about.exec();
    }
}

void TFAbout::build() {
    setObjectName(QStringLiteral("FAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientWidth, ClientHeight);

    auto label = [this](const char* name, const QRect& geometry) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    m_programLogo = label("ProgramLogo", QRect(0, 4, ClientWidth, 65));
    m_programLogo->setAttribute(Qt::WA_TranslucentBackground);
    m_productName = label("ProductName", QRect(0, 72, ClientWidth, 22));
    m_version = label("Version", QRect(0, 96, ClientWidth, 20));
    m_comments = label("Comments", QRect(8, 120, ClientWidth - 16, 54));
    m_comments->setWordWrap(true);

    QFont f = m_productName->font();
    f.setBold(true);
    f.setPointSize(12);
    m_productName->setFont(f);
    f.setPointSize(10);
    m_version->setFont(f);

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry((ClientWidth - 75) / 2, 188, 75, 25);
    m_okButton->setDefault(true);
    m_okButton->setFocus();
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    retranslateUi();

    // Centred on the main window.
    if (const TFMain* main = TFMain::instance()) {
        const QRect frame = main->frameGeometry();
        move(frame.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
    }
}

void TFAbout::FormCreate(const QString& productName, const QString& version,
                         const QString& comments, const QPixmap& logo) {
    m_productName->setText(productName);
    m_version->setText(version);
    m_comments->setText(comments);
    QPixmap picture = logo;
    if (!picture.isNull() && picture.height() > 65)
        picture = picture.scaledToHeight(65, Qt::SmoothTransformation);
    m_programLogo->setPixmap(picture);
}

void TFAbout::retranslateUi() {
    setWindowTitle(tr("Info"));
    m_okButton->setText(tr("OK"));
    if (m_fromMain) {
        m_productName->setText(TFMain::productNameText());
        m_version->setText(TFMain::versionText());
        m_comments->setText(TFMain::commentsText());
    }
}
