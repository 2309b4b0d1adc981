/* A program that carries one initialised configuration block, as programs
   built on the HAL do. Compiled by the tests for the host and for a
   big-endian target. */
struct __attribute__((packed)) HalStruct {
    char idString[16];
    unsigned short endianDetect;
    unsigned short structSize;
    unsigned char regs[32];
    unsigned int clkiKHz;
    unsigned int physMemAddr;
    unsigned int physRegAddr;
    unsigned short frameRate;
    unsigned char padding[2];
};

struct HalStruct HalInfo = {
    "6274 HAL EXE",
    0x1234,
    sizeof(struct HalStruct),
    {0x24, 0xA1, 0xE0, 0x07, 0x27, 0xEF, 0x00, 0x05, 0x0C, 0x04, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00,
     0x00, 0x00, 0xFF, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    6000,
    0x00F00000,
    0x00000046,
    0,
    {0, 0},
};

int main(void) {
    return HalInfo.regs[4] == 0x27 ? 0 : 1;
}
