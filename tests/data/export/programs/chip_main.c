#include <stdio.h>
#include "chip.h"
int LutRegister(void) { return LutData; }
int main(void) {
    eReg last = TestMode;
    printf("%d %d %d %d\n", RevisionCode, ScrnStartAddr, LutRegister(), (int)last);
}
