// The About window must not reach the main window's module.
#include "about/frmabout.h"

// Across the boundary:
#include "app/textarea.h"

int main()
{
    return 0;
}
