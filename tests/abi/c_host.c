/* A C11 host: evaluates through EvaluonEx and EvaluonUtf8Ex, sets the decimal separator and
 * reads the constant table. Exits non-zero on the
 * first answer that is not what a C host must see. */
#include <Quorvex64.h>

static const char kHostName[] = "c_host";
#include "c_host_checks.h"

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <uchar.h>

int main(void) {
    double value = 0.0;
    QuorvexError error = {0};

    Check(EvaluonEx(u"(1+2)*3^2", &value, &error) == 0 && value == 27.0, "(1+2)*3^2 is 27");
    Check(EvaluonEx(u"2(3)", &value, &error) == 0 && isnan(value) && signbit(value), "2(3) is -NaN");
    Check(EvaluonEx(u"1/0", &value, &error) == 1, "1/0 is an error");
    Check(strcmp(error.errorClass, "EFunctionError") == 0, "1/0 is an EFunctionError");
    Check(error.helpContext == 0, "1/0 has help context 0");
    Check(SameText(error.message, u"分母が0になり、0での除算が発生しました"), "1/0 message");
    Check(EvaluonEx(NULL, &value, &error) == 1 && strcmp(error.errorClass, "EConvertError") == 0,
          "a null expression is the empty one");
    Check(Evaluon(u"2*c") == 599584916.0, "Evaluon without error");
    Check(SameText(QuorvexGetVersion(), u"1.5"), "version");
    Check(GetConstNum() == 34, "34 constants");
    Check(SameText(GetConstVal(11), u"299792458"), "speed of light");
    Check(GetConstName(34) == NULL && GetConstVal(-1) == NULL, "outside the table");
    /* batch evaluation: a number, -NaN that does not reduce, two errors stored as +NaN */
    {
        static const char16_t batch[] =
            u"1+2\0"
            u"2(3)\0"
            u"1/0\0";
        double values[4] = {0.0, 0.0, 0.0, 0.0};
        int32_t failed[4] = {-1, -1, -1, -1};
        Check(EvaluonManyEx(batch, 4, values, failed) == 2, "two of four fail");
        Check(values[0] == 3.0 && failed[0] == 0, "batch 1+2");
        Check(isnan(values[1]) && signbit(values[1]) && failed[1] == 0, "batch 2(3) is -NaN");
        Check(isnan(values[2]) && !signbit(values[2]) && failed[2] == 1 && failed[3] == 1, "batch errors");
        Check(EvaluonManyEx(NULL, 2, NULL, failed) == 2 && failed[1] == 1, "a null batch is empty texts");
        Check(EvaluonManyEx(NULL, 0, NULL, NULL) == 0, "an empty batch");
        Check(EvaluonJoinedEx(batch, 12, 3, values, failed) == 1 && values[0] == 3.0 && failed[2] == 1,
              "texts joined by zero units");
        Check(EvaluonJoinedEx(batch, 12, 2, NULL, NULL) == SIZE_MAX, "one text too many");
    }
    /* UTF-8 text and the decimal separator */
    Check(EvaluonUtf8Ex("2*(3+4)xyz", 7, &value, &error) == 0 && value == 14.0, "UTF-8 with a length");
    Check(EvaluonUtf8Ex("1\0", 2, &value, &error) == 1 && strcmp(error.errorClass, "EConvertError") == 0,
          "a NUL inside UTF-8 is an error");
    Check(SetDecimalSeparator(u';') == 1 && SetDecimalSeparator(u',') == 0 && GetDecimalSeparator() == u',',
          "only . and , are separators");
    Check(SameText(GetConstVal(16), u"273,15"), "the comma writes numbers");
    Check(SetDecimalSeparator(0) == 0, "the locale's separator again");
    if (failures == 0) printf("c_host: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
