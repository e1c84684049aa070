#include "app/program.h"
#include "platform/ui/application.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Quelt"));
    return RunProgram(application.arguments().mid(1));
}
