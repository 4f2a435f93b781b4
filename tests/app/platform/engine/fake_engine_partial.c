/* Three of the engine's four exports: binding it must name the missing one. */
int Kelv_start(const char* inPath, const char* plotPath, const char* groundPath) {
    (void)inPath;
    (void)plotPath;
    (void)groundPath;
    return 0;
}
int Kelv_stop(void) {
    return 0;
}
int Kelv_getProgress(void) {
    return 100;
}
