#include "display/UPfadsetzen.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

TFPfadsetzen::TFPfadsetzen(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("TFPfadsetzen"));
    setFixedSize(358, 370);
    m_text = new QLabel(this);
    m_text->setGeometry(8, 6, 342, 82);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree = new QTreeView(this);
    m_tree->setGeometry(8, 92, 342, 196);
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFPfadsetzen::selectionChanged);

    m_dirLabel = new QLabel(this);
    m_dirLabel->setGeometry(8, 294, 342, 18);
    m_dirLabel->setTextFormat(Qt::PlainText);
    m_drives = new QComboBox(this);
    m_drives->setGeometry(8, 316, 160, 24);
    for (const QFileInfo& d : QDir::drives())
        m_drives->addItem(QDir::toNativeSeparators(d.absoluteFilePath()));
    connect(m_drives, &QComboBox::currentIndexChanged, this, &TFPfadsetzen::driveChanged);

    m_ok = new QPushButton(this);
    m_ok->setGeometry(190, 340, 76, 24);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_cancel = new QPushButton(this);
    m_cancel->setGeometry(274, 340, 76, 24);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    retranslateUi();
    if (m_drives->count() > 0)
        driveChanged(0);
}

void TFPfadsetzen::retranslateUi() {
    setWindowTitle(tr("Kompost Steuerung Kontroll- Center"));
    QString text = tr("Pfad einstellen, in dem die Messdaten aus der Anlage gespeichert "
                      "\r\nwerden. In diesem Verzeichnis werden die Daten in Dateien mit "
                      "der\r\nEndung ") +
                   QStringLiteral("\".CSV\"") +
                   tr(" gespeichert.\r\nDamit ist eine spätere Auswertung mit "
                      "Standardprogrammen, z.B.  \r\nEXCEL,  möglich");
    m_text->setText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Abbruch"));
}

void TFPfadsetzen::driveChanged(int index) {
    if (index < 0)
        return;
    const QString root = m_drives->itemText(index);
    if (!m_directory.startsWith(root, Qt::CaseInsensitive)) {
        m_tree->setCurrentIndex(m_model->index(root));
        m_directory = root;
        m_dirLabel->setText(root);
    }
}

void TFPfadsetzen::selectionChanged() {
    const QModelIndex i = m_tree->currentIndex();
    if (!i.isValid())
        return;
    m_directory = QDir::toNativeSeparators(m_model->filePath(i));
    m_dirLabel->setText(m_directory);
}

void TFPfadsetzen::setDirectory(const QString& path) {
    QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        return;
    const QString abs = dir.absolutePath();
    const QModelIndex i = m_model->index(abs);
    for (int d = 0; d < m_drives->count(); ++d) {
        if (QDir::toNativeSeparators(abs).startsWith(m_drives->itemText(d), Qt::CaseInsensitive)) {
            const QSignalBlocker quiet(m_drives);
            m_drives->setCurrentIndex(d);
        }
    }
    m_tree->setCurrentIndex(i);
    m_tree->scrollTo(i);
    m_directory = QDir::toNativeSeparators(abs);
    m_dirLabel->setText(m_directory);
}

QString TFPfadsetzen::directory() const {
    return m_directory;
}
