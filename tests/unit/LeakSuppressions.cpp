// Leaks of the system libraries SDL starts (D-Bus) that the program cannot
// free: the leak checker of sanitizer builds ignores them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
