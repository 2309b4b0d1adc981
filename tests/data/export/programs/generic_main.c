#include <stdio.h>
#include "zlc62740.h"
int main(void) {
    unsigned char chip[32] = {0}, r = 0, g = 0, b = 0;
    unsigned i;
    ZLC_WRITE_PALETTE(chip, 7, 0x10, 0x20, 0x30);
    ZLC_READ_PALETTE(chip, 9, r, g, b);
    aZLCRegs[0x1F].Value = 0x5A; /* a driver adjusts its copy before programming */
    printf("%u %u %u %u|%ld %lX|", chip[0x15], r, g, b, ZLC_DISPLAY_PCLK, ZLC_PHYSICAL_VMEM_ADDR);
    for (i = 0; i < sizeof aZLCRegs / sizeof aZLCRegs[0]; ++i)
        printf("%02X%02X", aZLCRegs[i].Index, aZLCRegs[i].Value);
}
