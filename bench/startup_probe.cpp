// The viewer exactly as a player starts it, reporting its first painted frame.
#include "app/startup.h"
#include "firstpaint.h"

int main(int argc, char *argv[])
{
    return startup::run(argc, argv, [](QWidget &window) { new FirstPaintProbe(window); });
}
