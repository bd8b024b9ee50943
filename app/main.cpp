#include "app/registerforms.h"
#include "shell/application.h"

int main(int argc, char **argv)
{
    shell::addFormRegistrar(&app::registerAllForms);
    return shell::runApplication(argc, argv);
}
