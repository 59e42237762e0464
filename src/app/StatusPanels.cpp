#include "StatusPanels.h"

#include "common/Twips.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

const char greeting[] = "Welcome to the Shopping List";
constexpr int tellingMilliseconds = 5000;

} // namespace

StatusPanels::StatusPanels(QStatusBar &bar, double heightTwips) : QObject(&bar)
{
    bar.setObjectName(QStringLiteral("sbStatusBar"));
    bar.setSizeGripEnabled(false);
    struct Panel
    {
        const char *text;
        double width;
        double minimumWidth;
        const char *tooltip;
    };
    const Panel panels[] = {
        {greeting, 4000, 2440, ""},
        {"0 items", 1245, 1240, "Total number of things to get"},
        {"0 total", 1245, 1240, "Number of Unique items"},
        {"", 1440, 1440, ""},
        {"", 1140, 1140, ""},
    };
    for (int i = 0; i < 5; ++i) {
        const Panel &panel = panels[i];
        auto *label = new QLabel(QString::fromLatin1(panel.text), &bar);
        label->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(TwipsToPixelsX(panel.minimumWidth));
        if (i >= 3) {
            label->setFixedWidth(TwipsToPixelsX(panel.width));
        }
        label->setToolTip(QString::fromLatin1(panel.tooltip));
        // The first panel takes up what the window gains; the two counts grow to their text.
        bar.addWidget(label, i == 0 ? 1 : 0);
        m_panels.append(label);
    }
    m_panels[0]->resize(TwipsToPixelsX(panels[0].width), m_panels[0]->height());
    // The designed height, or more when the bar's font needs it.
    const int margins = 4;
    bar.setFixedHeight(
        std::max(TwipsToPixelsY(heightTwips), m_panels[0]->sizeHint().height() + margins));

    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::showDateAndTime);
    clock->start(1000);
    showDateAndTime();

    m_greetAgain = new QTimer(this);
    m_greetAgain->setObjectName(QStringLiteral("greetAgain"));
    m_greetAgain->setSingleShot(true);
    m_greetAgain->setInterval(tellingMilliseconds);
    connect(m_greetAgain, &QTimer::timeout, this,
            [this] { m_panels[0]->setText(QString::fromLatin1(greeting)); });
}

void StatusPanels::tell(const QString &text)
{
    m_panels[0]->setText(text);
    m_greetAgain->start(); // a later message has its own five seconds
}

void StatusPanels::setText(int panel, const QString &text)
{
    m_panels[panel - 1]->setText(text);
}

void StatusPanels::showDateAndTime()
{
    const QLocale locale = QLocale::system();
    m_panels[3]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels[4]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}
