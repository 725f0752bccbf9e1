#include "widgets/app/MainPages.h"

#include "widgets/frames/ChartPages.h"
#include "widgets/frames/FrameBrowserPage.h"
#include "widgets/frames/OverloadPage.h"
#include "widgets/protection/ProtectionViewPage.h"
#include "widgets/protection/SettingsPage.h"
#include "widgets/recorder/ServicePages.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zurval {
namespace {

QWidget* page(const char* name) {
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A page control with tabs on the left, as the inner pages use.
QTabWidget* innerTabs(QWidget* host, const char* name) {
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QString::fromLatin1(name));
    tabs->setTabPosition(QTabWidget::West);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs);
    return tabs;
}

template <class Page> Page* named(Page* p, const char* name) {
    p->setObjectName(QString::fromLatin1(name));
    return p;
}

} // namespace

MainPages buildMainPages(RecorderSession& session, Prompts& prompts) {
    MainPages p;
    p.PageControl_Main = new QTabWidget;
    p.PageControl_Main->setObjectName("PageControl_Main");
    p.PageControl_Main->setDocumentMode(true);

    QWidget* constPage = page("TabSheet_Const");
    QTabWidget* inf = innerTabs(constPage, "PageControl_Inf");
    p.service = named(new ServicePage(session), "TabSheet_Ident");
    p.load = named(new LoadSpectrumPage(session), "TabSheet_Narab");
    inf->addTab(p.service, QStringLiteral("Служебная"));
    inf->addTab(p.load, QStringLiteral("Наработка"));
    p.PageControl_Main->addTab(constPage, QStringLiteral("Основная информация"));

    p.TabSheet_Cikl = page("TabSheet_Cikl");
    p.PageControl_Cikl = innerTabs(p.TabSheet_Cikl, "PageControl_Cikl");
    p.browser = named(new FrameBrowserPage(session, prompts), "TabSheet_Osn");
    auto* overloads = named(new OverloadPage(session, prompts), "TabSheet_Per");
    p.PageControl_Cikl->addTab(p.browser, QStringLiteral("Общая"));
    p.PageControl_Cikl->addTab(overloads, QStringLiteral("Перегрузки"));
    p.PageControl_Main->addTab(p.TabSheet_Cikl, QStringLiteral("Циклическая информация"));

    p.TabSheet_Grafik = page("TabSheet_Grafik");
    p.PageControl_Grafik = innerTabs(p.TabSheet_Grafik, "PageControl_Grafik");
    p.parameters = named(new ParameterChartPage(session), "TabSheet_Param");
    p.relays = named(new RelayChartPage(session), "TabSheet_Rele");
    p.protection = named(new ProtectionViewPage(session, prompts), "TabSheet_KZ");
    p.PageControl_Grafik->addTab(p.parameters, QStringLiteral("Параметры"));
    p.PageControl_Grafik->addTab(p.relays, QStringLiteral("Реле и ограничения"));
    p.PageControl_Grafik->addTab(p.protection, QStringLiteral("Координатная защита"));
    p.PageControl_Main->addTab(p.TabSheet_Grafik, QStringLiteral("Графики"));

    auto* settings = named(new SettingsPage(session), "TabSheet_Nastr");
    p.PageControl_Main->addTab(settings, QStringLiteral("Настройки"));

    p.inFillOrder = {p.service, p.load,    settings,     p.protection,
                     overloads, p.browser, p.parameters, p.relays};

    p.ProgressBar_Read = new QProgressBar;
    p.ProgressBar_Read->setObjectName("ProgressBar_Read");
    p.ProgressBar_Read->setRange(0, 100);
    p.ProgressBar_Read->hide();
    p.Button_Abort = new QPushButton(QStringLiteral("Прервать"));
    p.Button_Abort->setObjectName("Button_Abort");
    p.Button_Abort->hide();
    p.central = new QWidget;
    auto* column = new QVBoxLayout(p.central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(p.PageControl_Main, 1);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(p.ProgressBar_Read, 1);
    progressRow->addWidget(p.Button_Abort);
    column->addLayout(progressRow);
    return p;
}

PageNavigator::PageNavigator(const MainPages& pages, QObject* parent)
    : QObject(parent), pages_(pages) {
    // A chosen frame waits in the protection view's frame field; "Отобразить КЗ" shows it.
    connect(pages_.browser, &FrameBrowserPage::frameNumberChosen, pages_.protection,
            &ProtectionViewPage::setFrameNumberText);
    connect(pages_.browser, &FrameBrowserPage::protectionViewRequested, this,
            &PageNavigator::showTypedProtectionFrame);
    connect(pages_.parameters, &ParameterChartPage::browserJumpRequested, this,
            &PageNavigator::showBrowserAt);
    connect(pages_.relays, &RelayChartPage::protectionFrameRequested, this,
            &PageNavigator::showProtectionFrame);
}

void PageNavigator::showBrowserAt(int k) {
    pages_.PageControl_Main->setCurrentWidget(pages_.TabSheet_Cikl);
    // The browser itself, should the overloads have been in front.
    pages_.PageControl_Cikl->setCurrentWidget(pages_.browser);
    pages_.browser->jumpToFrame(k);
}

void PageNavigator::showProtectionFrame(int number) {
    pages_.PageControl_Grafik->setCurrentWidget(pages_.protection);
    pages_.protection->showFrame(number);
}

void PageNavigator::showTypedProtectionFrame() {
    pages_.PageControl_Main->setCurrentWidget(pages_.TabSheet_Grafik);
    pages_.PageControl_Grafik->setCurrentWidget(pages_.protection);
    pages_.protection->showTypedFrame();
}

} // namespace zurval
