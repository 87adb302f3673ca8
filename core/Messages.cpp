#include "core/Messages.h"

#include "core/Settings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget* owner(QWidget* parent) {
    return parent ? parent : QApplication::activeWindow();
}

void showBox(QMessageBox::Icon icon, const QString& title, const QString& text, QWidget* parent) {
    QMessageBox box(icon, title, Messages::lineBreaks(text), QMessageBox::NoButton, owner(parent));
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(Messages::tr("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace

QString Messages::lineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

void Messages::information(const QString& text, QWidget* parent) {
    showBox(QMessageBox::Information, tr("Informationen"), text, parent);
}

void Messages::warning(const QString& text, QWidget* parent) {
    showBox(QMessageBox::Warning, tr("Warnung"), text, parent);
}

void Messages::error(const QString& text, QWidget* parent) {
    showBox(QMessageBox::Critical, tr("Fehler"), text, parent);
}

bool Messages::confirmation(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Question, tr("Bestätigung"), lineBreaks(text),
                    QMessageBox::NoButton, owner(parent));
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(tr("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(tr("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void Messages::reportSettingsFailures() {
    Settings::setWriteFailureHandler([](const QString& text) { error(text); });
}
