#!/usr/bin/env python3
"""Writes the fixture files in the previous version's fixed-column layouts (Windows-1250, CR LF)."""
import os

def place(fields, width):
    line = [' '] * width
    for pos, text in fields:
        for i, ch in enumerate(text):
            line[pos - 1 + i] = ch
    return ''.join(line).rstrip(' ')

def producer(code, name, irsz='', town='', street='', adoazon='', ig='', reg='', szulhely='',
             szido='', anyja='', csgazd='', neme='', szulnev='', taj='', adoszam='', bank=''):
    return place([(2, code), (7, name), (53, irsz), (58, town), (104, street), (150, adoazon),
                  (161, ig), (170, reg), (183, szulhely), (229, szido), (240, anyja),
                  (288, csgazd), (297, neme), (299, szulnev), (345, taj), (355, adoszam),
                  (367, bank)], 392)

def product(code, name, vtsz='', ear='', megy='', komp=''):
    return place([(2, code), (7, name), (83, vtsz), (94, ear), (110, megy), (121, komp)], 123)

def buyer(name, town='', street='', irsz='', adoszam=''):
    return place([(1, name), (47, town), (93, street), (139, irsz), (144, adoszam)], 154)

def write(name, lines):
    with open(os.path.join(os.path.dirname(__file__) or '.', name), 'wb') as f:
        f.write(''.join(l + '\r\n' for l in lines).encode('cp1250'))

write('exposterm.txt', [
    # a full line with a date of birth
    producer('0001', 'Kovács Ödön', '6720', 'Szeged', 'Tisza Lajos krt. 5', '8412345678', '123456',
             'R-77', 'Szentes', '1956.04.12', 'Nagy Irén', 'CS-1', '1', 'Kovács Ödön', '123456788',
             '12345678123', '11735005-20000000'),
    # ends before position 233: no date of birth
    producer('0002', 'Rövid Sor', '6000', 'Kecskemét'),
    # position 233 holds no full stop: no date of birth
    producer('0003', 'Dátum Nélkül', szulhely='Makó', szido='19560412'),
    # a date of birth that does not exist
    producer('0004', 'Rossz Dátum', '6720', 'Szeged', szido='1956.02.30'),
    # a code of five significant characters: "1" and five is wider than the column
    producer('12345', 'Hosszú Kód'),
    producer('0006', 'Utolsó Sor', szido='1970.01.31'),
])
write('exptermek.txt', [
    product('0001', 'Búza', '1001', '52,5'.replace(',', '.'), 'kg', '12'),
    product('0002', 'Napraforgó', '1206', 'abc', 'kg', '12'),
    product('0003', 'Kukorica', '1005', '41', 'kg', '7'),
])
write('expatvevo.txt', [
    buyer('Első Felvásárló Kft.', 'Szeged', 'Fő utca 1.', '6720', '12345678223'),
    buyer('Második Bt.', 'Makó', 'Széchenyi tér 2.', '6900', '87654321123'),
    buyer('Harmadik Szövetkezet', 'Hódmezővásárhely', 'Andrássy út 3.', '6800', '11223344556'),
])
