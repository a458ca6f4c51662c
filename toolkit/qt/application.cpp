#include "toolkit/application.h"

#include "toolkit/window.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QStringList>
#include <QThread>
#include <QTranslator>

namespace sg8 {

namespace {

void applyToolkitStyle()
{
    // The windows are laid out in pixels for the system's 9-point dialog font.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                      font.family()});
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace

struct Application::Impl {
    std::unique_ptr<QApplication> ownApplication;
    QTranslator qtTexts;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>())
{
    if (!QApplication::instance()) impl_->ownApplication = std::make_unique<QApplication>(argc, argv);
    // The program speaks Chinese: so do Qt's own dialogs (the open dialog's buttons and labels).
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    if (impl_->qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&impl_->qtTexts);
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/application/icon.png")));
    applyToolkitStyle();
}

Application::~Application() = default;

std::vector<std::string> Application::arguments() const
{
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toUtf8().toStdString());
    return arguments;
}

int Application::run(Window& window)
{
    window.show();
    return QApplication::exec();
}

void processEvents() { QCoreApplication::processEvents(); }

void postToWindowThread(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

bool onWindowThread()
{
    QCoreApplication* application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

}  // namespace sg8
