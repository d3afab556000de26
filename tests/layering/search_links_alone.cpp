// Linked with every object of the search and nothing of the windows: built
// with the program, so a widget used anywhere in the search fails the build.
int main()
{
    return 0;
}
