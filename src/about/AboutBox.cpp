#include "AboutBox.h"

#include "VersionInfo.h"
#include "common/WaitCursor.h"
#include "config/ColorValue.h"
#include "platform/Platform.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

QLabel *makeLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

void setLabelFont(QLabel *label, double points, bool bold, bool underline = false)
{
    QFont font = label->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
}

// The link colours are drawn as designed where they read on the box's background, and in the
// desktop's own link colour where they would not (a dark theme).
void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    const bool readable = ContrastRatio(color, palette.color(QPalette::Window)) >= ReadableContrast;
    palette.setColor(QPalette::WindowText, readable ? color : palette.color(QPalette::Link));
    label->setPalette(palette);
}

QFrame *makeLine(const QString &name, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

AboutBox::AboutBox(Platform &platform, const QString &executablePath, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_executablePath(executablePath)
{
    setObjectName(QStringLiteral("frmAboutShopping"));
    setWindowTitle(QStringLiteral("License Information "));
    setModal(true);
    createControls();
    Form_Load();
}

void AboutBox::createControls()
{
    m_lblTitle = makeLabel(QStringLiteral("lblTitle"), this);
    setLabelFont(m_lblTitle, 13.5, true);

    m_lblVersion = makeLabel(QStringLiteral("lblVersion"), this);
    setLabelFont(m_lblVersion, 8.25, true);
    m_lblVersion->installEventFilter(this);

    m_lblFreeware = makeLabel(QStringLiteral("lbl(0)"), this);
    m_lblDistribution = makeLabel(QStringLiteral("lbl(4)"), this);
    for (QLabel *label : {m_lblFreeware, m_lblDistribution}) {
        label->setWordWrap(true);
    }

    m_lblURL = makeLabel(QStringLiteral("lblURL"), this);
    m_lblURL->setText(MakerHomePage());
    setLabelFont(m_lblURL, 9.75, true, true);
    setTextColor(m_lblURL, QColor(0, 0, 192));
    m_lblURL->setToolTip(QStringLiteral("Click here to visit Torvy Softwares homepage"));
    m_lblURL->setCursor(Qt::PointingHandCursor);
    m_lblURL->installEventFilter(this);

    auto *logoTop = makeLabel(QStringLiteral("Label1(0)"), this);
    logoTop->setText(QStringLiteral("Torvy"));
    setLabelFont(logoTop, 14.0, true);
    auto *logoBottom = makeLabel(QStringLiteral("Label1(1)"), this);
    logoBottom->setText(QStringLiteral("Software"));
    setLabelFont(logoBottom, 8.0, false);

    auto *label3 = makeLabel(QStringLiteral("Label3"), this);
    label3->setText(QStringLiteral("Another small program from Torvy Software."));

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true); // Enter; Escape closes any dialog
    connect(m_cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);

    auto *logo = new QVBoxLayout;
    logo->setSpacing(0);
    logo->addWidget(logoTop);
    logo->addWidget(logoBottom);

    auto *bottom = new QHBoxLayout;
    bottom->addLayout(logo);
    bottom->addSpacing(12);
    bottom->addWidget(label3, 1, Qt::AlignVCenter);
    bottom->addWidget(m_cmdOK, 0, Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitle);
    layout->addWidget(m_lblVersion);
    layout->addWidget(makeLine(QStringLiteral("Line2"), this));
    layout->addWidget(m_lblFreeware);
    layout->addWidget(m_lblDistribution);
    layout->addWidget(m_lblURL, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addWidget(makeLine(QStringLiteral("Line3"), this));
    layout->addLayout(bottom);
    setMinimumWidth(440);
}

void AboutBox::Form_Load()
{
    m_lblVersion->setText(VersionLine(ProgramVersion()));
    m_lblTitle->setText(ProductName());
    m_lblFreeware->setText(QStringLiteral("This program is free software."));
    m_lblDistribution->setText(
        QStringLiteral("You may copy it and pass it on under the terms of the GNU General Public "
                       "License, version 3 or (at your option) any later version."));
}

void AboutBox::cmdOK_Click()
{
    accept();
}

void AboutBox::lblURL_Click()
{
    const WaitCursor wait;
    // Red for the rest of the box's life, as a visited link.
    setTextColor(m_lblURL, QColor(255, 0, 0));
    m_platform.openUrl(QUrl(ProgramPage()));
}

void AboutBox::lblVersion_DblClick()
{
    const std::optional<QString> text =
        BuildDetailsText(ApplicationTitle(), m_executablePath, QLocale::system());
    if (!text) {
        return;
    }
    MessageBoxRequest request;
    request.text = *text;
    m_platform.messageBox(request);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblURL && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_lblURL->rect().contains(mouse->position().toPoint())) {
            lblURL_Click();
        }
    } else if (watched == m_lblVersion && event->type() == QEvent::MouseButtonDblClick) {
        lblVersion_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
