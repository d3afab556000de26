#include <QApplication>

#include <cstdio>

#include "app/form1.h"
#include "app/startup.h"

int main(int argc, char *argv[])
{
    if (!startup::graphicalSessionNamed()) {
        std::fprintf(stderr, "%s\n", startup::kNoDisplayMessage);
        return 1;
    }

    startup::guardPlatformStart();
    QApplication app(argc, argv);
    startup::endPlatformGuard();

    startup::describeApplication();

    Form1 window;
    window.show();
    return app.exec();
}
