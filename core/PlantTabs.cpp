#include "core/PlantTabs.h"

#include "core/KompUtils.h"

#include <QSignalBlocker>
#include <QTabBar>

void FillPlantTabs(QTabBar* tabs, int count) {
    if (!tabs)
        return;
    const QSignalBlocker quiet(tabs);
    while (tabs->count() > 0)
        tabs->removeTab(tabs->count() - 1);
    for (const QString& caption : KompUtils::PlantTabCaptions(count))
        tabs->addTab(caption);
    if (tabs->count() > 0)
        tabs->setCurrentIndex(0);
}

void SelectPlantTab(QTabBar* tabs, int index) {
    if (!tabs || index < 0 || index >= tabs->count())
        return;
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(index);
}
