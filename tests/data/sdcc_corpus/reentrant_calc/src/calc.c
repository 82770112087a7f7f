/* Recursive-descent evaluator: expr -> term -> factor -> expr. The
   functions call each other, so they must be reentrant (their locals on
   the stack, not in fixed overlaid memory). */
#include "calc.h"

static const char code *pos;

static int expr(void) reentrant;

static int factor(void) reentrant
{
    int value = 0;

    if (*pos == '(') {
        pos++;
        value = expr();
        pos++;  /* ')' */
        return value;
    }
    if (*pos == '-') {
        pos++;
        return -factor();
    }
    while (*pos >= '0' && *pos <= '9')
        value = value * 10 + (*pos++ - '0');
    return value;
}

static int term(void) reentrant
{
    int value = factor();
    int rhs;

    while (*pos == '*' || *pos == '/') {
        char op = *pos++;
        rhs = factor();
        if (op == '*')
            value *= rhs;
        else if (rhs != 0)
            value /= rhs;
    }
    return value;
}

static int expr(void) reentrant
{
    int value = term();

    while (*pos == '+' || *pos == '-') {
        char op = *pos++;
        if (op == '+')
            value += term();
        else
            value -= term();
    }
    return value;
}

int calc_eval(const char code *text)
{
    pos = text;
    return expr();
}
