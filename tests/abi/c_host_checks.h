/* The checks the C hosts share: count failures and compare UTF-16 texts. A host defines
 * kHostName, the name its failures are reported under, before it includes this file. */
#ifndef QUORVEX_C_HOST_CHECKS_H
#define QUORVEX_C_HOST_CHECKS_H

#include <stdio.h>
#include <uchar.h>

static int failures = 0;

/* Reports what failed and counts it. */
static void Check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "%s: %s\n", kHostName, what);
        ++failures;
    }
}

static int SameText(const char16_t* a, const char16_t* b) {
    if (a == NULL || b == NULL) return a == b;
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

#endif
