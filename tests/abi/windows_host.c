/* A C host of Quorvex64.dll on Windows: catches the structured exception that Evaluon raises,
 * reads the error record, evaluates again on the same thread, and checks that many errors
 * cost no memory. Exits non-zero on the first answer that is not what such a host must see. */
#include <Quorvex64.h>

static const char kHostName[] = "windows_host";
#include "c_host_checks.h"

#include <windows.h>
#include <excpt.h>
#include <psapi.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

/* What the handler saw of the last exception. */
static DWORD caughtCode;
static DWORD caughtFlags;
static DWORD caughtParameters;
static QuorvexError caughtRecord;

/* Named only from the __try1 assembly, so the compiler must keep it. */
__attribute__((used)) static LONG CatchAll(EXCEPTION_POINTERS* pointers, void* frame) {
    (void)frame;
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    caughtCode = record->ExceptionCode;
    caughtFlags = record->ExceptionFlags;
    caughtParameters = record->NumberParameters;
    if (record->ExceptionCode == QUORVEX_EXCEPTION_CODE && record->NumberParameters >= 1) {
        caughtRecord = *(const QuorvexError*)record->ExceptionInformation[0];
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

/* Evaluon under an SEH frame: 0 and the value, or 1 when it raised. Each __try1 stands alone
 * in a function that does nothing else, and the result goes through memory. */
static __attribute__((noinline)) int TryEvaluon(const char16_t* expression, double* value) {
    volatile int raised = 1;
    volatile double result = 0.0;
    __try1(CatchAll) result = Evaluon(expression);
    raised = 0;
    __except1* value = result;
    return raised;
}

struct ErrorRow {
    const char16_t* expression;
    const char* errorClass;
    int32_t helpContext;
    const char16_t* message;
};

static SIZE_T PrivateBytes(void) {
    PROCESS_MEMORY_COUNTERS_EX counters;
    memset(&counters, 0, sizeof counters);
    GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&counters, sizeof counters);
    return counters.PrivateUsage;
}

/* The file version of the loaded Quorvex64.dll from its version resource, major in the high
 * word; 0 when it has none. */
static DWORD FileVersion(void) {
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(GetModuleHandleW(L"Quorvex64.dll"), path, MAX_PATH) == 0) return 0;
    static char data[4096];
    VS_FIXEDFILEINFO* info = NULL;
    UINT length = 0;
    if (GetFileVersionInfoSizeW(path, NULL) > sizeof data || !GetFileVersionInfoW(path, 0, sizeof data, data) ||
        !VerQueryValueW(data, L"\\", (void**)&info, &length) || length < sizeof *info) {
        return 0;
    }
    return info->dwFileVersionMS;
}

int main(void) {
    static const struct ErrorRow errors[] = {
        {u"1/0", "EFunctionError", 0, u"分母が0になり、0での除算が発生しました"},
        {u"ln(0)", "EFunctionError", 10004,
         u"ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）"},
        {u"   ", "EConvertError", 0, u"計算する文字がありません\r\n（空白文字では？）"},
        {u"(1+2", "EFunctionError", 0, u"”（”と”）”の数が一致しません"},
        {u"zeta(2,1e-300)", "EConvergeError", 10010, u"リーマンゼータ関数zetaは収束しませんでした"},
        {u"0/0", "EInvalidOp", 0, u"不正な浮動小数点数演算命令"},
    };
    double value = 0.0;
    for (size_t i = 0; i < sizeof errors / sizeof errors[0]; ++i) {
        const struct ErrorRow* row = &errors[i];
        memset(&caughtRecord, 0, sizeof caughtRecord);
        Check(TryEvaluon(row->expression, &value) == 1, row->errorClass);
        Check(caughtCode == QUORVEX_EXCEPTION_CODE, "the library's exception code");
        Check((caughtFlags & EXCEPTION_NONCONTINUABLE) != 0, "non-continuable");
        Check(caughtParameters == 1, "one parameter");
        Check(caughtRecord.errorClass != NULL && strcmp(caughtRecord.errorClass, row->errorClass) == 0, "class");
        Check(caughtRecord.helpContext == row->helpContext, "help context");
        Check(SameText(caughtRecord.message, row->message), "message");
        /* The same thread goes on evaluating. */
        Check(TryEvaluon(u"2*sin(pi/6)+max(1,2)", &value) == 0 && value == 3.0, "value after an error");
    }
    Check(TryEvaluon(u"2(3)", &value) == 0 && isnan(value), "NaN is a value, not an error");
    Check(TryEvaluon(NULL, &value) == 1 && strcmp(caughtRecord.errorClass, "EConvertError") == 0,
          "a null expression is the empty one");
    Check(Evaluon(L"(1+2)*3^2") == 27.0, "wide text");
    Check(SameText(QuorvexGetVersion(), u"1.5"), "the version under its Windows name");
    Check(FileVersion() == 0x00010005, "the DLL's version resource says 1.5");

    /* 20 000 errors: the record is reused, nothing accumulates. */
    for (int i = 0; i < 2000; ++i) TryEvaluon(u"1/0", &value);
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 20000; ++i) TryEvaluon(i % 2 == 0 ? u"1/0" : u"ln(-1)", &value);
    const SIZE_T after = PrivateBytes();
    Check(after < before + 1024 * 1024, "20 000 errors keep no memory");

    /* EvaluonEx never raises. */
    QuorvexError error;
    memset(&error, 0, sizeof error);
    Check(EvaluonEx(u"1/0", &value, &error) == 1 && strcmp(error.errorClass, "EFunctionError") == 0,
          "EvaluonEx reports the error as data");

    if (failures == 0) printf("windows_host: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
