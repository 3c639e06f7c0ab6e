/* A shared library without the plug-in entry points, for vyrhost's error path. */
__attribute__((visibility("default"))) int vyrNotAPlugin(void)
{
    return 0;
}
