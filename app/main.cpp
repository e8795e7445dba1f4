#include "app/orvel.h"
#include "app/startup.h"
#include "toolkit/application.h"

int main(int argc, char** argv)
{
    toolkit::Application application(argc, argv);
    const auto window = app::startUp(application);
    return application.run();
}
