/* Run in the Wine prefix at the start of every session (scripts/lib/common.sh). That it starts at
 * all shows a program built like ours loads with the prefix's system DLLs: a first boot that stopped
 * midway can leave kernel32.dll out. The registry values are written by the last steps of the
 * prefix's setup, so finding them shows the setup ran to its end. Exit status 0 only then. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static int has_value(HKEY root, const char *key, const char *name, const char *want)
{
    char value[64];
    DWORD size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, NULL, value, &size) != ERROR_SUCCESS ||
        strcmp(value, want) != 0) {
        fprintf(stderr, "prefix_probe: %s\\%s is not \"%s\"\n", key, name, want);
        return 0;
    }
    return 1;
}

static int has_key(HKEY root, const char *key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        fprintf(stderr, "prefix_probe: %s is missing\n", key);
        return 0;
    }
    RegCloseKey(handle);
    return 1;
}

static int loads(const char *dll)
{
    if (!LoadLibraryA(dll)) {
        fprintf(stderr, "prefix_probe: %s does not load (error %lu)\n", dll, GetLastError());
        return 0;
    }
    return 1;
}

int main(void)
{
    int ok = 1;
    /* The tests' windows and the viewer's browser control need these beyond what loaded us. */
    ok &= loads("user32.dll");
    ok &= loads("gdi32.dll");
    ok &= loads("ole32.dll");
    ok &= has_value(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Decorated", "N");
    ok &= has_value(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", "N");
    ok &= has_value(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "appwiz.cpl", "");
    ok &= has_key(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler\\about");
    return ok ? 0 : 1;
}
