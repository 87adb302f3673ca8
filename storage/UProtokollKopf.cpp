#include "storage/UProtokollKopf.h"

#include "core/OneLineEdit.h"
#include "core/Settings.h"
#include "storage/UQRKompForm.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace {

QFont pixelFont(int px) {
    QFont f;
    f.setPixelSize(px);
    return f;
}

const QString kDefaultTitel = QStringLiteral("Firmen- Name");
const QString kDefaultZeile = QStringLiteral("* Text *");

} // namespace

TFProtokKopf::TFProtokKopf(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("FProtokKopf"));
    setFixedSize(479, 233);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    m_frame = new QFrame(this);
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->setGeometry(4, 4, 471, 225);

    StaticText4 = new QLabel(m_frame);
    StaticText4->setFont(pixelFont(24));
    StaticText4->setGeometry(8, 4, 300, 30);
    StaticText1 = new QLabel(m_frame);
    StaticText1->setFont(pixelFont(19));
    StaticText1->setGeometry(8, 40, 100, 24);
    Edit1 = new QLineEdit(m_frame);
    OneLineEdit::apply(Edit1);
    Edit1->setFont(pixelFont(19));
    Edit1->setGeometry(8, 64, 361, 28);
    StaticText2 = new QLabel(m_frame);
    StaticText2->setFont(pixelFont(16));
    StaticText2->setGeometry(8, 98, 80, 22);
    Edit2 = new QLineEdit(m_frame);
    OneLineEdit::apply(Edit2);
    Edit2->setFont(pixelFont(13));
    Edit2->setGeometry(96, 98, 273, 22);
    StaticText3 = new QLabel(m_frame);
    StaticText3->setFont(pixelFont(16));
    StaticText3->setGeometry(8, 126, 80, 22);
    Edit3 = new QLineEdit(m_frame);
    OneLineEdit::apply(Edit3);
    Edit3->setFont(pixelFont(13));
    Edit3->setGeometry(96, 126, 273, 22);
    Label1 = new QLabel(m_frame);
    Label1->setFont(pixelFont(11));
    Label1->setGeometry(8, 156, 455, 60);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    OKBtn = new QPushButton(this);
    OKBtn->setGeometry(376, 14, 95, 27);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setGeometry(376, 48, 95, 27);
    CancelBtn->setAutoDefault(false);
    Button1 = new QPushButton(this);
    Button1->setGeometry(376, 82, 95, 27);
    Button1->setAutoDefault(false);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TFProtokKopf::Button1Click);

    retranslateUi();
    FormActivate();
    if (parent) {
        const QRect p = parent->window()->frameGeometry();
        move(p.center() - rect().center());
    }
    CancelBtn->setFocus();
}

void TFProtokKopf::retranslateUi() {
    setWindowTitle(tr("Kompost Steuerung Kontroll- Center"));
    StaticText4->setText(tr("Protokollkopf"));
    StaticText1->setText(tr("Titeltext :"));
    StaticText2->setText(tr("2. Zeile :"));
    StaticText3->setText(tr("3. Zeile :"));
    Label1->setText(tr("Die hier eingegebenen Daten werden in dem Ausdruck der Protokollwerte "
                       "\r\nim Seitenkopf dargestellt. Sie dienen der Archivierung und Zuordnung "
                       "der \r\nMessprotokolle.")
                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    OKBtn->setText(tr("OK"));
    CancelBtn->setText(tr("Ignorieren"));
    Button1->setText(tr("Druck-Vorschau"));
}

void TFProtokKopf::FormActivate() {
    // Runs once, when the dialog opens: what is typed afterwards stays until OK or
    // "Ignorieren", whatever windows come and go in between.
    // setText clears each entry's modified mark, so OK writes only what is typed after this.
    const IniFile& ini = Settings::file();
    Edit1->setText(ini.readString(Keys::Firma, Keys::Titel, kDefaultTitel));
    Edit2->setText(ini.readString(Keys::Firma, Keys::Zeile2, kDefaultZeile));
    Edit3->setText(ini.readString(Keys::Firma, Keys::Zeile3, kDefaultZeile));
}

void TFProtokKopf::OKBtnClick() {
    IniFile& ini = Settings::file();
    if (Edit1->isModified())
        ini.writeString(Keys::Firma, Keys::Titel, Edit1->text());
    if (Edit2->isModified())
        ini.writeString(Keys::Firma, Keys::Zeile2, Edit2->text());
    if (Edit3->isModified())
        ini.writeString(Keys::Firma, Keys::Zeile3, Edit3->text());
}

bool TFProtokKopf::NeedData() {
    return m_sampleRow++ < 20;
}

std::unique_ptr<TFQRKompForm> TFProtokKopf::makeSampleReport() {
    auto report = std::make_unique<TFQRKompForm>();
    report->setHeaderLines(Edit1->text(), Edit2->text(), Edit3->text());
    report->setCaption(QStringLiteral("AnlName"), tr("Anlagen- Name: "));
    Report::BandReport& r = report->report();
    // Every rendering (the preview renders again on page set-up) starts at row 1.
    r.beforePrint = [this] { m_sampleRow = 0; };
    r.needData = [this] { return NeedData(); };
    r.setPrint(QStringLiteral("QRNr"), [this] { return QRNrPrint(); });
    const struct {
        const char* label;
        const char* text;
    } samples[] = {
        {"QRDat", "12:00 03.10.1999"},
        {"QRT1", "52.0"},
        {"QRT2", "53.0"},
        {"QRT3", "54.0"},
        {"QRT4", "55.0"},
        {"QRT5", "56.0"},
        {"QR55Gr", "80.0"},
        {"QRO2", "19.6"},
        {"QRZeit", "123"},
        {"QRZyklen", "234"},
    };
    for (const auto& s : samples) {
        const QString text = QString::fromLatin1(s.text);
        r.setPrint(QString::fromLatin1(s.label), [text] { return text; });
    }
    return report;
}

void TFProtokKopf::Button1Click() {
    Button1->setEnabled(false);
    {
        std::unique_ptr<TFQRKompForm> report = makeSampleReport();
        report->preview(this);
    }
    Button1->setEnabled(true);
}
