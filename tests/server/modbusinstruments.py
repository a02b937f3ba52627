#!/usr/bin/python3
"""Instruments for the acquisition test, served by pymodbus: an independent Modbus TCP implementation.

Usage: modbusinstruments.py PORT
Unit 1 holds every register type in both word orders (holding registers 0..13, input registers
0..1); unit 2 holds two holding registers only, so that a read past them answers the exception
"illegal data address". The values are what the test expects after the channel map's scale and offset.
"""
import struct
import sys

from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
from pymodbus.server import StartTcpServer


def words(fmt, value, low_first=False):
    high_first = list(struct.unpack(">HH", struct.pack(">" + fmt, value)))
    return high_first[::-1] if low_first else high_first


HOLDING = (
    list(struct.unpack(">H", struct.pack(">h", -2)))  # 0 int16
    + [50000]  # 1 uint16
    + words("i", -100000)  # 2 int32
    + words("I", 3000000000)  # 4 uint32
    + words("f", 12.5)  # 6 float32
    + words("i", -100000, True)  # 8 int32sw
    + words("I", 70000, True)  # 10 uint32sw
    + words("f", -3.25, True)  # 12 float32sw
)
INPUT = words("f", 7.75)  # 0 float32


def unit(holding, inputs):
    return ModbusSlaveContext(
        hr=ModbusSequentialDataBlock(0, holding),
        ir=ModbusSequentialDataBlock(0, inputs),
        zero_mode=True,
    )


def main():
    context = ModbusServerContext(slaves={1: unit(HOLDING, INPUT), 2: unit([1, 2], [3])}, single=False)
    StartTcpServer(context=context, address=("127.0.0.1", int(sys.argv[1])))


if __name__ == "__main__":
    main()
