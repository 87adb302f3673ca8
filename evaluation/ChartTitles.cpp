#include "evaluation/ChartTitles.h"

#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"

#include <QtCharts/QAbstractSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>

void RetranslateChartTitles(TMessDaten& data, TChartSeries& series, QChart* chart) {
    if (chart) {
        QtChartTarget target(chart);
        data.RetranslateTitles(&target);
    } else {
        data.RetranslateTitles(nullptr);
    }
    const auto all = data.AllSeries();
    for (int i = 0; i < int(all.size()); ++i) {
        if (QAbstractSeries* s = series.Series(i))
            s->setName(all[size_t(i)]->title);
        if (QBarSet* set = series.BarSet(i))
            set->setLabel(all[size_t(i)]->title);
    }
}
