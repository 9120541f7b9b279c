"""Debian's pyodbc drives the built driver through unixODBC, as a Python user
would: the query forms, parameters, names outside Windows-1252, fetchmany and
fetchall, and the catalog calls. Fixture files are made with bwsmake from the
descriptions in tests/jetodbc/fixtures.

Usage: pyodbc_client_test.py BWSMAKE FIXTURES_DIR [CORPUS_DIR]
(ODBCSYSINI must point at the build's odbcinst.ini). With CORPUS_DIR, every
table of every Access file there is read with SELECT * as well.
"""
import datetime
import glob
import os
import subprocess
import sys
import tempfile
import unittest
import warnings

import pyodbc

BWSMAKE, FIXTURES = sys.argv[1], sys.argv[2]
CORPUS = sys.argv[3] if len(sys.argv) > 3 else None
SCRATCH = tempfile.mkdtemp(prefix="jetodbc-pyodbc-")


def fixture(name):
    path = os.path.join(SCRATCH, name + ".mdb")
    if not os.path.exists(path):
        subprocess.run([BWSMAKE, os.path.join(FIXTURES, name + ".jdesc"), path], check=True)
    return path


def connect(path):
    return pyodbc.connect("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + path)


class QueriesAndParameters(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.db = connect(fixture("types"))

    def rows(self, sql, *params):
        return [tuple(r) for r in self.db.cursor().execute(sql, *params).fetchall()]

    def test_query_forms(self):
        # Keywords (types.jdesc): Table, Round, Name, Number as in query_forms_test.cpp.
        self.assertEqual(
            self.rows("SELECT [Round], COUNT(*) AS n, MIN([Name]), SUM([Table]), AVG([Table]) "
                      "FROM [Keywords] GROUP BY [Round] ORDER BY [Round] DESC"),
            [(2, 3, "Alpha", 6, 2.0), (1, 2, "beta", 3, 1.5)])
        self.assertEqual(self.rows("SELECT DISTINCT TOP 2 [Name] FROM [Keywords] "
                                   "WHERE [Name] IS NOT NULL ORDER BY 1 DESC"),
                         [("zeta",), ("beta",)])
        self.assertEqual(self.rows("SELECT [Number] FROM [Keywords] WHERE [Name] LIKE 'b*' "
                                   "OR [Table] IN (3) OR [Date] BETWEEN #2025-01-03# AND "
                                   "#2025-01-03 23:00#"),
                         [("3",), ("2",), ("4",), ("5",)])
        with self.assertRaises(pyodbc.Error) as failure:
            self.db.cursor().execute("DELETE FROM [Keywords]")
        self.assertIn("read-only", str(failure.exception))

    def test_aggregates_negation_nulls_single_wildcards_and_ascending_order(self):
        # Keywords rows as (Table, Name, Group, Number): (3, zeta, 1, "3"), (1, Alpha, 2, "1"),
        # (2, beta, NULL, "2"), (1, NULL, 2, "4"), (2, BETA, 1, "5").
        self.assertEqual(self.rows("SELECT MAX([Table]), MAX([Name]), COUNT([Name]), COUNT([Group]) "
                                   "FROM [Keywords]"), [(3, "zeta", 4, 4)])
        self.assertEqual(self.rows("SELECT [Number] FROM [Keywords] WHERE NOT [Table] = 1 "
                                   "OR [Name] IS NULL ORDER BY [Number] ASC"),
                         [("2",), ("3",), ("4",), ("5",)])
        self.assertEqual(self.rows("SELECT Name FROM Keywords WHERE Name LIKE '_lpha' "
                                   "OR Name LIKE 'z?t?' ORDER BY Name ASC"),
                         [("Alpha",), ("zeta",)])

    def test_parameters_of_every_python_type(self):
        sql = "SELECT [Number] FROM [Keywords] WHERE [Table] = ? AND [Name] LIKE ?"
        self.assertEqual(self.rows(sql, 2, "b%"), [("2",), ("5",)])
        self.assertEqual(self.rows(sql, 1, "A*"), [("1",)])  # the same statement again
        self.assertEqual(self.rows(sql, None, "%"), [])
        self.assertEqual(self.rows("SELECT [Number] FROM [Keywords] WHERE [Date] = ? OR "
                                   "[Table] > ?", datetime.datetime(2025, 1, 4), 2.5),
                         [("3",), ("5",)])
        self.assertEqual(self.rows("SELECT [Number] FROM [Keywords] WHERE [Date] < ?",
                                   datetime.date(2025, 1, 2)), [("1",)])

    def test_values_and_fetching(self):
        cursor = self.db.cursor().execute("SELECT * FROM Kinds ORDER BY Id")
        first = cursor.fetchmany(2)
        rest = cursor.fetchall()
        self.assertEqual((len(first), len(rest)), (2, 3))
        self.assertEqual(first[0].Label, "Café Øst")
        self.assertEqual(first[0].Moment, datetime.datetime(2024, 2, 29, 23, 59, 59))
        self.assertIs(first[0].Flag, True)
        self.assertEqual(rest[1].Label, "x\u20ac")
        self.assertEqual(len(rest[2].Notes), 10000)
        self.assertIsNone(rest[0].Big)

    def test_catalog_calls(self):
        cursor = self.db.cursor()
        tables = [(t.table_name, t.table_type) for t in cursor.tables()]
        self.assertIn(("Kinds", "TABLE"), tables)
        self.assertIn(("MSysObjects", "SYSTEM TABLE"), tables)
        columns = {c.column_name: c for c in cursor.columns(table="Kinds")}
        self.assertEqual(columns["Label"].column_size, 12)
        self.assertEqual(columns["Money"].type_name, "CURRENCY")
        self.assertEqual((columns["Money"].column_size, columns["Money"].decimal_digits), (19, 4))
        self.assertEqual(list(columns)[:3], ["Id", "Flag", "Tiny"])
        self.assertEqual(cursor.statistics("Kinds").fetchall()[0].table_name, "Kinds")
        self.assertEqual(cursor.primaryKeys("Kinds").fetchall(), [])  # it has no index


class WideNames(unittest.TestCase):
    def test_cyrillic_and_chinese_names_list_and_read(self):
        db = connect(fixture("unicode"))
        cursor = db.cursor()
        self.assertEqual(sorted(t.table_name for t in cursor.tables(tableType="TABLE")),
                         ["Игроки", "表"])
        self.assertEqual([c.column_name for c in cursor.columns(table="Игроки")],
                         ["Имя", "Фамилия", "分数", "日期"])
        cursor.execute("SELECT Имя AS Игрок, [Фамилия], 分数 FROM Игроки WHERE 分数 > ? "
                       "ORDER BY 3 DESC", 0)
        self.assertEqual([d[0] for d in cursor.description], ["Игрок", "Фамилия", "分数"])
        self.assertEqual([tuple(r) for r in cursor.fetchall()],
                         [("Анна", "Павлова", 12), ("李", "小龙", 7)])
        self.assertEqual(cursor.execute("SELECT COUNT(*) FROM 表 WHERE 名 IN (?, '二')",
                                        "一").fetchval(), 2)
        with self.assertRaises(pyodbc.Error) as failure:
            cursor.execute("SELECT Отчество FROM Игроки")
        self.assertIn("42S22", str(failure.exception))


class Pandas(unittest.TestCase):
    def test_read_sql_loads_a_table(self):
        try:
            import pandas
        except ImportError:
            self.skipTest("python3-pandas is not installed")
        warnings.filterwarnings("ignore", message="pandas only supports SQLAlchemy")
        frame = pandas.read_sql("SELECT * FROM Игроки", connect(fixture("unicode")))
        self.assertEqual(list(frame.columns), ["Имя", "Фамилия", "分数", "日期"])
        self.assertEqual(frame["Имя"].tolist(), ["Анна", "李", "Ёжик"])
        self.assertEqual(frame["分数"].sum(), 19)


@unittest.skipUnless(CORPUS, "no corpus folder given")
class Corpus(unittest.TestCase):
    def test_every_table_of_every_file_reads(self):
        files = sorted(glob.glob(os.path.join(CORPUS, "*.mdb")) +
                       glob.glob(os.path.join(CORPUS, "*.accdb")))
        read = 0
        for path in files:
            cursor = connect(path).cursor()
            for name in [t.table_name for t in cursor.tables(tableType="TABLE")]:
                with self.subTest(file=os.path.basename(path), table=name):
                    cursor.execute("SELECT * FROM [%s]" % name).fetchall()
                    read += 1
        print("\n%d tables of %d files read" % (read, len(files)))

    def test_indexes_of_a_file_access_wrote(self):
        # As mdb-schema lists them: primary key on A, a plain index on B.
        cursor = connect(os.path.join(CORPUS, "V2000-testV2000.mdb")).cursor()
        indexes = [(r.index_name, r.non_unique, r.column_name)
                   for r in cursor.statistics("Table1") if r.type != 0]  # 0: the table's own row
        self.assertEqual(indexes, [("PrimaryKey", 0, "A"), ("B", 1, "B")])
        self.assertEqual([(r.column_name, r.key_seq) for r in cursor.primaryKeys("Table1")],
                         [("A", 1)])
        self.assertEqual([r.column_name for r in cursor.rowIdColumns("Table1")], ["A"])
        nullable = {c.column_name: c.nullable for c in cursor.columns(table="Table1")}
        self.assertEqual((nullable["A"], nullable["B"]), (0, 1))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
