// The search must not reach the main window's module it serves.
#include "app/search/findcommands.h"

// Across the boundary:
#include "app/catalogue.h"

int main()
{
    return 0;
}
