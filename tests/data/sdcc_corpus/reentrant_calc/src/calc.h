#ifndef CALC_H
#define CALC_H

/* Integer expression with + - * / and parentheses, no blanks. */
int calc_eval(const char code *text);

#endif
