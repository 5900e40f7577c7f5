#include "core/update/SiteAddress.h"
#include "window/form/Form.h"
#include "window/form/Named.h"
#include "window/form/PanelParts.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel *line(const char *name, const QString &text, QVBoxLayout *layout)
{
    auto *label = named<QLabel>(name, text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

void buildAbout(Form &form)
{
    form.aFrame = optionPanel("aFrame", u"About"_s);
    auto *layout = new QVBoxLayout;
    layout->setSpacing(6);
    form.aP = line("aP", u"Program: Tessaro"_s, layout);
    form.aV = line("aV", QStringLiteral("Version: " TESSARO_VERSION), layout);
    form.aPl = line("aPl", u"Platform: 98/ME/2K/XP"_s, layout);
    form.aR = line("aR", u"Released: 07/02/2005"_s, layout);
    form.aC = line("aC", QString(), layout);

    form.aK = named<QPlainTextEdit>("aK");
    form.aK->setReadOnly(true);
    form.aK->setAccessibleName(u"Credits"_s);
    form.aK->setMaximumHeight(form.aK->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(form.aK);

    // The maker's site, shown as a link; the address is held twice, as the
    // caption and as the button's url property.
    const QString site = SiteAddress::siteUrl().toString();
    form.kmflnk = named<QPushButton>("kmflnk", site);
    form.kmflnk->setProperty("url", site);
    form.kmflnk->setFlat(true);
    form.kmflnk->setCursor(Qt::PointingHandCursor);
    QFont linkFont = form.kmflnk->font();
    linkFont.setUnderline(true);
    form.kmflnk->setFont(linkFont);
    QPalette linkColours = form.kmflnk->palette();
    linkColours.setColor(QPalette::ButtonText, linkColours.color(QPalette::Link));
    form.kmflnk->setPalette(linkColours);
    layout->addWidget(form.kmflnk, 0, Qt::AlignLeft);

    form.aButton = panelButton("aButton", u"Close About"_s);
    layOutPanel(form.aFrame, layout, form.aButton);
    form.aFrame->setFocusProxy(form.kmflnk);
    form.panels->addWidget(form.aFrame);
}
