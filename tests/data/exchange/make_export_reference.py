#!/usr/bin/env python3
"""Writes the expected text export of the fixture database of test_textexchange_rules, by hand:
Windows-1250, CR LF, each field between colons, commas between fields, an asterisk at the end."""
import os

FILES = {
    'atvevo.txt': [
        ['1', 'Első Felvásárló Kft.', 'Szeged', 'Fő utca 1.', '6720', '12345678223', '', 'A1'],
        ['2', 'Kettő: a, b * c', '', '', '', '', 'sz', ''],
    ],
    'ostermelo.txt': [
        ['5', '00001', 'Kovács Ödön', '6720', 'Szeged', 'Tisza krt. 5', '8412345678', '123456', 'R1', '16',
         'Szentes', '1956.04.12', 'Nagy Irén', '1234,5', 'CS1', '1', 'Kovács Ödön', '123456788', '12345678123',
         '11735005-20000000'],
        ['6', '00002', 'Üres Űrlap', '', '', '', '', '', '', '', '', '', '', '', '', '', '', '', '', ''],
    ],
    'sorszam.txt': [],
    'termek.txt': [
        ['1', '00001', 'Búza', '1001', 'kg', '52,5', '12'],
        ['2', '00002', 'Árpa', '', 'kg', '40', ''],
    ],
    'FjFej.txt': [
        ['1', '16000001', '00001', '00001', '2016.03.05', '12345,25', '16', 'I', 'megj: x, y *'],
        ['2', '16000002', '00001', '00002', '2016.12.31', '-0,5', '0', '', ''],
    ],
    'FjSor.txt': [
        ['1', '16000001', '00001', 'Búza', '1001', '100,125', 'kg', '52,5', '12'],
    ],
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'export')
os.makedirs(here, exist_ok=True)
for name, rows in FILES.items():
    with open(os.path.join(here, name), 'wb') as f:
        for row in rows:
            f.write((':' + ':,:'.join(row) + ':*\r\n').encode('cp1250'))
