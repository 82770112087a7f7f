#ifndef _MATRIX_H_
#define _MATRIX_H_
void Matrix_Init(void);
#endif
