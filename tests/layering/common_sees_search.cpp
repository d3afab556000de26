// What both windows share depends on nothing of the program's own.
#include "common/links.h"

// Across the boundary:
#include "app/search/textsearch.h"

int main()
{
    return 0;
}
