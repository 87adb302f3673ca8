#include "display/UAnlDatumSet.h"

#include "core/PlantTabs.h"
#include "link/Operations.h"
#include "link/Protocol.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using namespace Kommunikation;

namespace {
constexpr int ClientWidth = 600;
constexpr int ClientHeight = 222;
} // namespace

TFAnlDatumSetup::TFAnlDatumSetup(int plant, QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("TFAnlDatumSetup"));
    setFixedSize(ClientWidth, ClientHeight);

    TabControl1 = new QTabBar(this);
    TabControl1->setGeometry(8, 6, ClientWidth - 16, 28);
    TabControl1->setUsesScrollButtons(true);
    TabControl1->setExpanding(false);

    MieteName = new QLabel(this);
    MieteName->setObjectName(QStringLiteral("MieteName"));
    MieteName->setGeometry(8, 40, ClientWidth - 16, 26);
    MieteName->setTextFormat(Qt::PlainText);
    MieteName->setAlignment(Qt::AlignCenter);
    QFont bold = MieteName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    MieteName->setFont(bold);

    m_heading = new QLabel(this);
    m_heading->setGeometry(24, 78, ClientWidth - 48, 22);
    m_heading->setTextFormat(Qt::PlainText);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 104, ClientWidth - 48, 28);
    Edit1->setReadOnly(true);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSizeF(Edit1->font().pointSizeF() * 1.2);
    Edit1->setFont(mono);

    SetBtn = new QPushButton(this);
    SetBtn->setGeometry(ClientWidth / 2 - 190, ClientHeight - 52, 200, 30);
    SetBtn->setDefault(true);
    FertigBtn = new QPushButton(this);
    FertigBtn->setGeometry(ClientWidth / 2 + 30, ClientHeight - 52, 120, 30);
    connect(SetBtn, &QPushButton::clicked, this, &TFAnlDatumSetup::SetBtnClick);
    connect(FertigBtn, &QPushButton::clicked, this, &QDialog::reject);

    retranslateUi();
    FormCreate(plant);
    connect(TabControl1, &QTabBar::currentChanged, this, &TFAnlDatumSetup::TabControl1Change);
}

int TFAnlDatumSetup::showFor(int plant, QWidget* parent) {
    TFAnlDatumSetup dialog(plant, parent);
    return dialog.exec();
}

void TFAnlDatumSetup::retranslateUi() {
    setWindowTitle(tr("Mess- Steuerung Setup"));
    m_heading->setText(tr("Aktuelle Anlagen-Datum/Zeit Einstellung:"));
    SetBtn->setText(tr("Datum/ Zeit neu Setzen"));
    FertigBtn->setText(tr("Fertig"));
    showPlantName();
}

void TFAnlDatumSetup::FormCreate(int plant) {
    FillPlantTabs(TabControl1, KompUtils::PlantCount);
    m_dialogPlant = Daten::isPlantAddress(plant) ? plant : 1;
    SelectPlantTab(TabControl1, m_dialogPlant - 1);
    ShowPlantClock();
}

void TFAnlDatumSetup::showPlantName() {
    const tAnlageParameter& a = Daten::Anlage[m_dialogPlant];
    if (!a.Present)
        MieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
    else if (a.SwitchedOn)
        MieteName->setText(a.Name);
    else
        MieteName->setText(tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
}

void TFAnlDatumSetup::TabControl1Change(int index) {
    if (index < 0)
        return;
    m_dialogPlant = index + 1;
    SetBtn->setEnabled(Daten::Anlage[m_dialogPlant].Present);
    ShowPlantClock();
}

void TFAnlDatumSetup::ShowPlantClock() {
    showPlantName();
    if (!Daten::Anlage[m_dialogPlant].Present) {
        Edit1->clear();
        SetBtn->setEnabled(false);
        return;
    }
    SetBtn->setEnabled(true);
    // While the read waits, no other tab or button may start an exchange: the text shown
    // must be the clock of the plant whose tab is chosen.
    setEnabled(false);
    const bool read = ReadClockText(m_dialogPlant);
    setEnabled(true);
    if (read)
        Edit1->setText(ClockText);
    else
        Edit1->clear();
}

void TFAnlDatumSetup::SetBtnClick() {
    const QDateTime now = QDateTime::currentDateTime();
    SendDate(m_dialogPlant, now.date());
    SendTime(m_dialogPlant, now.time());
    ShowPlantClock();
}
