#include "ProductWindow.h"

#include "VersionInfo.h"
#include "platform/Platform.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

ProductWindow::ProductWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_platform(platform)
{
    setObjectName(QStringLiteral("frmProducts"));
    setWindowTitle(QStringLiteral("Other Products from Torvy Software"));

    auto *maker = new QLabel(QStringLiteral("Torvy Software"), this);
    maker->setObjectName(QStringLiteral("lblMaker"));
    QFont makerFont = maker->font();
    makerFont.setPointSizeF(14);
    makerFont.setBold(true);
    maker->setFont(makerFont);

    auto *product = new QLabel(ProductName(), this);
    product->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont = product->font();
    productFont.setBold(true);
    product->setFont(productFont);

    auto *description = new QLabel(
        QStringLiteral("Puts together your weekly shopping list. Pick what you need from a "
                       "catalogue of items grouped by category, set the quantities, then save "
                       "the list for next week or print it. The catalogue is a set of plain "
                       "text files beside the program that you can edit to suit your shop."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);

    auto *more = new QLabel(
        QStringLiteral("Our other programs, and news of this one, are on our home page:"), this);
    more->setObjectName(QStringLiteral("lblMore"));
    more->setWordWrap(true);

    // A link the keyboard can reach too; the browser is started through the dialog layer.
    m_lblHomePage = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(MakerHomePage()), this);
    m_lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    m_lblHomePage->setTextFormat(Qt::RichText);
    m_lblHomePage->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
    m_lblHomePage->setOpenExternalLinks(false);
    m_lblHomePage->setToolTip(QStringLiteral("Click here to visit Torvy Softwares homepage"));
    connect(m_lblHomePage, &QLabel::linkActivated, this, &ProductWindow::lblHomePage_Click);

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(maker);
    layout->addSpacing(8);
    layout->addWidget(product);
    layout->addWidget(description);
    layout->addSpacing(8);
    layout->addWidget(more);
    layout->addWidget(m_lblHomePage, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(440);
    adjustSize();
}

void ProductWindow::lblHomePage_Click()
{
    m_platform.openUrl(QUrl(MakerHomePage()));
}
