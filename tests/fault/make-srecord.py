#!/usr/bin/env python3
"""Writes an S-record file of about SIZE megabytes carrying one configuration
block in the middle of its data, in S3 records of 32 bytes. With --blank-line
a blank line follows the third record, which a save drops, so that the save
changes the file's length."""
import random
import sys


def record(kind, address, data):
    body = bytes([len(data) + 5]) + address.to_bytes(4, "big") + data
    checksum = ~sum(body) & 0xFF
    return "S%c%s%02X" % (kind, body.hex().upper(), checksum)


def block():
    ident = b"6274 HAL EXE".ljust(16, b"\0")
    return ident + (0x1234).to_bytes(2, "little") + (68).to_bytes(2, "little") + bytes(48)


def main():
    path, megabytes = sys.argv[1], float(sys.argv[2])
    blank = "--blank-line" in sys.argv
    per_record = 32
    records = int(megabytes * 1e6 / (2 * (per_record + 5) + 4))
    rng = random.Random(62740)
    data = bytearray(rng.getrandbits(8) for _ in range(min(records * per_record, 1 << 16)))
    while len(data) < records * per_record:
        data += data[: records * per_record - len(data)]
    middle = len(data) // 2 + 7
    data[middle : middle + 68] = block()
    with open(path, "w", newline="") as out:
        out.write(record("0", 0, b"fault") + "\r\n")
        for i in range(records):
            out.write(record("3", i * per_record, bytes(data[i * per_record : (i + 1) * per_record])) + "\r\n")
            if blank and i == 2:
                out.write("\r\n")
        out.write("S70500000000FA\r\n")


main()
