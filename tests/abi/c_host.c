/* A C11 host: evaluates through EvaluonEx and reads the constant table. Exits non-zero on the
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
    if (failures == 0) printf("c_host: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
