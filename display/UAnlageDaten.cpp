#include "display/UAnlageDaten.h"

#include "core/Daten.h"
#include "core/Messages.h"
#include "core/OneLineEdit.h"
#include "core/ProgramDir.h"
#include "display/UPfadsetzen.h"
#include "storage/UMessDaten.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

std::function<QString(TFAnlageDaten&, const QString&)> TFAnlageDaten::ChooseDirectory;

namespace {
constexpr int MaxNameLength = 20;

QLabel* label(QWidget* parent, const QRect& r, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setGeometry(r);
    l->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(16);
        l->setFont(f);
    }
    return l;
}

QString withSeparator(QString path) {
    path = QDir::toNativeSeparators(path);
    if (!path.isEmpty() && !path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}
} // namespace

TFAnlageDaten::TFAnlageDaten(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("TFAnlageDaten"));
    setFixedSize(537, 229);
    m_heading = label(this, QRect(16, 10, 505, 24), true);
    m_numberCaption = label(this, QRect(16, 48, 130, 20));
    m_number = label(this, QRect(150, 48, 80, 20));
    m_nameCaption = label(this, QRect(16, 80, 130, 20));
    m_edit1 = new QLineEdit(this);
    m_edit1->setGeometry(150, 78, 220, 24);
    m_edit1->setMaxLength(MaxNameLength);
    // Pasted text passes no key filter; the validator keeps it to the same characters.
    m_edit1->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-0-9A-Za-z_]*")), m_edit1));
    m_edit1->installEventFilter(this);
    m_commentCaption = label(this, QRect(16, 112, 130, 20));
    m_edit2 = new QLineEdit(this);
    m_edit2->setGeometry(150, 110, 371, 24);
    OneLineEdit::apply(m_edit2);
    m_pathCaption = label(this, QRect(16, 146, 130, 20));
    m_dirLabel = label(this, QRect(150, 146, 335, 20));
    m_dirLabel->setFrameShape(QFrame::StyledPanel);
    m_pfadButton = new QPushButton(this);
    m_pfadButton->setGeometry(493, 142, 28, 28);
    m_pfadButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(m_pfadButton, &QPushButton::clicked, this, &TFAnlageDaten::PfadButton1Click);
    m_ok = new QPushButton(this);
    m_ok->setGeometry(330, 190, 90, 28);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TFAnlageDaten::OKBtnClick);
    m_cancel = new QPushButton(this);
    m_cancel->setGeometry(431, 190, 90, 28);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslateUi();
    FormCreate();
}

void TFAnlageDaten::retranslateUi() {
    setWindowTitle(tr("Kompost Steuerung Kontroll- Center"));
    m_heading->setText(tr("Anlage benennen"));
    m_numberCaption->setText(tr("Anlagen- Nr.:"));
    m_nameCaption->setText(tr("Anlagen Text :"));
    m_commentCaption->setText(tr("Kommentar:"));
    m_pathCaption->setText(tr("Daten Speicherpfad:"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Abbruch"));
}

void TFAnlageDaten::FormCreate() {
    m_plant = Daten::isPlantAddress(Daten::SelectedPlant) ? Daten::SelectedPlant : 1;
    const tAnlageParameter& a = Daten::Anlage[size_t(m_plant)];
    m_number->setText(QString::number(m_plant));
    m_edit1->setText(a.Name);
    m_edit2->setText(a.Komm);
    m_path = a.Pfad;
    m_dirLabel->setText(m_path);
    m_pathChanged = false;
}

bool TFAnlageDaten::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return Retranslatable<QDialog>::event(e);
}

void TFAnlageDaten::FormActivate() {
    if (!m_path.isEmpty() && QDir(m_path).exists())
        return;
    // Set before the box opens: its closing activates the dialog again.
    m_path = ProgramDir::pathWithSeparator();
    m_dirLabel->setText(m_path);
    Messages::information(tr("Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."),
                          this);
}

bool TFAnlageDaten::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_edit1 && e->type() == QEvent::KeyPress)
        return Edit1KeyPress(static_cast<QKeyEvent*>(e));
    return Retranslatable<QDialog>::eventFilter(watched, e);
}

bool TFAnlageDaten::Edit1KeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return false; // editing and navigation keys
    return !MeasurementFile::IsAllowedNameChar(text.at(0));
}

void TFAnlageDaten::PfadButton1Click() {
    QString chosen;
    if (ChooseDirectory) {
        chosen = ChooseDirectory(*this, m_path);
    } else {
        TFPfadsetzen chooser(this);
        chooser.setDirectory(m_path);
        if (chooser.exec() == QDialog::Accepted)
            chosen = chooser.directory();
    }
    if (chosen.isEmpty())
        return;
    chosen = withSeparator(chosen);
    if (chosen == withSeparator(m_path))
        return;
    m_path = chosen;
    m_dirLabel->setText(m_path);
    m_pathChanged = true;
}

void TFAnlageDaten::OKBtnClick() {
    tAnlageParameter& a = Daten::Anlage[size_t(m_plant)];
    bool confirmed = true;
    if (m_edit1->isModified() && m_edit1->text().isEmpty()) {
        m_edit1->setText(a.Name); // refused without a word; clears the edited mark
        confirmed = false;
    }
    // A missing directory replaced by the program's directory (FormActivate) is taken over
    // as if chosen: the pile's file must not be named in a directory that does not exist.
    const bool pathChanged = m_pathChanged || m_path != a.Pfad;
    if (m_edit1->isModified() || m_edit2->isModified() || pathChanged) {
        a.Name = m_edit1->text();
        a.Pfad = m_path;
        a.Komm = m_edit2->text();
        if (m_edit1->isModified() || pathChanged)
            MeasurementFile::NewMeasurementFile(m_plant);
        Daten::SavePlantSettings(m_plant);
    }
    if (confirmed)
        accept();
}
