/* A C program built against an installed Quorvex. */
#include <Quorvex64.h>
#include <stdio.h>

int main(void) {
    double value = 0.0;
    QuorvexError error;
    if (EvaluonEx(u"(1+2)*3^2", &value, &error) != 0 || value != 27.0) return 1;
    if (EvaluonEx(u"1/0", &value, &error) != 1 || error.helpContext != 0) return 1;
    printf("c consumer: %g\n", value);
    return 0;
}
