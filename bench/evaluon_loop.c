/* The C side of bench/python_binding_bench.py: reads expressions, one a line (ASCII), from
 * stdin, evaluates them all `rounds` times (argument, default 20) through EvaluonEx one by one,
 * and as many times through EvaluonJoinedEx in one batch, and prints the best round's nanoseconds
 * of processor time per expression of each. */
#define _POSIX_C_SOURCE 199309L /* clock_gettime */
#include <Quorvex64.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <uchar.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? atoi(argv[1]) : 20;
    /* The texts back to back in one buffer, each ending in a zero unit, and where each starts: the
     * units but the last are the texts joined as EvaluonJoinedEx reads them. */
    size_t count = 0, units = 0, capacity = 0;
    char16_t* buffer = NULL;
    size_t* starts = NULL;
    char line[4096];
    while (fgets(line, sizeof line, stdin) != NULL) {
        const size_t length = strcspn(line, "\r\n");
        if (units + length + 1 > capacity || count == capacity) {
            capacity = 2 * (capacity + length + 1);
            buffer = realloc(buffer, capacity * sizeof *buffer);
            starts = realloc(starts, capacity * sizeof *starts);
        }
        starts[count++] = units;
        for (size_t i = 0; i < length; ++i) buffer[units++] = (unsigned char)line[i];
        buffer[units++] = 0;
    }
    double* values = malloc((count + 1) * sizeof *values);
    double loop = 1e300, batch = 1e300, sink = 0.0;
    for (int round = 0; round < rounds; ++round) {
        double started = Now();
        for (size_t i = 0; i < count; ++i) {
            double value = 0.0;
            QuorvexError error;
            if (EvaluonEx(buffer + starts[i], &value, &error) == 0) sink += value;
        }
        double seconds = Now() - started;
        if (seconds < loop) loop = seconds;
        started = Now();
        EvaluonJoinedEx(buffer, units ? units - 1 : 0, count, values, NULL);
        seconds = Now() - started;
        if (seconds < batch) batch = seconds;
        sink += count ? values[0] : 0.0;
    }
    printf("%.1f %.1f\n", count ? loop / (double)count * 1e9 : 0.0, count ? batch / (double)count * 1e9 : 0.0);
    free(values);
    free(starts);
    free(buffer);
    return sink == 42.0; /* keeps the loops from being optimised away */
}
