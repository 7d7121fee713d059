/* A C program that uses libbasalt through its public header alone: the settings roots come
 * from the header, and each names its own hive. Exits 0 when everything holds. Runs with
 * FOLIOFORGE_HOME pointing at an empty folder of its own. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "basalt/basalt.h"

/* Writes a hive file holding CheckSkip = 1 under key in the settings folder. */
static int WriteCheckSkip(const char* hive, const char* key) {
    const char* home = getenv("FOLIOFORGE_HOME");
    char path[4096];
    FILE* file;
    if (home == NULL || snprintf(path, sizeof path, "%s/%s.reg", home, hive) >= (int)sizeof path) {
        return 0;
    }
    mkdir(home, 0700);
    file = fopen(path, "w");
    if (file == NULL) {
        return 0;
    }
    fprintf(file,
            "Windows Registry Editor Version 5.00\n\n[%s\\%s]\n\"CheckSkip\"=dword:00000001\n",
            hive, key);
    return fclose(file) == 0;
}

static int Check(int holds, const char* what) {
    if (!holds) {
        fprintf(stderr, "c_caller: %s\n", what);
    }
    return holds;
}

int main(void) {
    int ok = 1;
    if (!WriteCheckSkip("HKEY_LOCAL_MACHINE", "Software\\CCaller")) {
        fprintf(stderr, "c_caller: cannot write the settings\n");
        return 1;
    }
    InitBasalt(HKEY_CURRENT_USER, L"Software\\CCaller", L"c_caller");
    ok &= Check(IsSkipURL() == 0, "HKEY_CURRENT_USER has no CheckSkip");
    InitBasalt(HKEY_LOCAL_MACHINE, L"Software\\CCaller", L"c_caller");
    ok &= Check(IsSkipURL() == 1, "HKEY_LOCAL_MACHINE has CheckSkip = 1");
    InitBasalt(HKEY_CLASSES_ROOT, L"Software\\CCaller", L"c_caller");
    ok &= Check(IsSkipURL() == 0, "HKEY_CLASSES_ROOT has no CheckSkip");
    return ok ? 0 : 1;
}
