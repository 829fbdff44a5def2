/* The C side of bench/python_binding_bench.py: reads expressions, one a line (ASCII), from
 * stdin, evaluates them all through EvaluonEx `rounds` times (argument, default 20) and prints
 * the best round's nanoseconds per expression. */
#define _POSIX_C_SOURCE 199309L /* clock_gettime */
#include <Quorvex64.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <uchar.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? atoi(argv[1]) : 20;
    size_t count = 0, capacity = 0;
    char16_t** texts = NULL;
    char line[4096];
    while (fgets(line, sizeof line, stdin) != NULL) {
        const size_t length = strcspn(line, "\r\n");
        if (count == capacity) {
            capacity = capacity ? 2 * capacity : 1024;
            texts = realloc(texts, capacity * sizeof *texts);
        }
        texts[count] = malloc((length + 1) * sizeof(char16_t));
        for (size_t i = 0; i <= length; ++i) texts[count][i] = i < length ? (unsigned char)line[i] : 0;
        ++count;
    }
    double best = 1e300, sink = 0.0;
    for (int round = 0; round < rounds; ++round) {
        const double started = Now();
        for (size_t i = 0; i < count; ++i) {
            double value = 0.0;
            QuorvexError error;
            if (EvaluonEx(texts[i], &value, &error) == 0) sink += value;
        }
        const double seconds = Now() - started;
        if (seconds < best) best = seconds;
    }
    printf("%.1f\n", count ? best / (double)count * 1e9 : 0.0);
    for (size_t i = 0; i < count; ++i) free(texts[i]);
    free(texts);
    return sink == 42.0; /* keeps the loop from being optimised away */
}
