#!/usr/bin/env python3
"""What the shared library exports: the public class, the four entry points, and the members of the
database layer with which a host hands over its connection and a ready record set. Nothing else: the rest
of the component stays hidden, so that a host cannot reach (or clash with) its insides.

    exported_symbols_test.py LIBRARY
"""
import subprocess
import sys
import unittest

LIBRARY = sys.argv[1]
ENTRY_POINTS = {'DllRegisterServer', 'DllUnregisterServer', 'DllGetClassObject', 'DllCanUnloadNow'}
DATABASE_MEMBERS = {
    'platform::db::Connection::Connection(QSqlDatabase)',
    'platform::db::Connection::~Connection()',
    'platform::db::Connection::open(QString const&)',
    'platform::db::Recordset::Recordset()',
    'platform::db::Recordset::~Recordset()',
    'platform::db::Recordset::open(QString const&, platform::db::Connection&)',
}
LINKER_MARKS = {'_edata', '_end', '__bss_start'}


def exported():
    listing = subprocess.run(['nm', '-D', '--defined-only', '--demangle', LIBRARY],
                             capture_output=True, text=True, check=True).stdout
    return {line.split(' ', 2)[2] for line in listing.splitlines() if line.strip()}


class ExportedSymbols(unittest.TestCase):
    def test_only_the_public_class_the_entry_points_and_the_hosts_database_members(self):
        names = exported()
        public_class = {name for name in names if name.startswith('CReportOrv::')}
        self.assertEqual(sorted(names - public_class - ENTRY_POINTS - DATABASE_MEMBERS - LINKER_MARKS), [])
        self.assertTrue(ENTRY_POINTS | DATABASE_MEMBERS <= names)
        for member in ('CReportOrv::CReportOrv()', 'CReportOrv::WebPrint()',
                       'CReportOrv::setConnection(std::shared_ptr<platform::db::Connection>)'):
            self.assertIn(member, public_class)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1])
