-- The web site's table of recent games, which the lines in db_sql_gamestats.txt keep up to date.
--
-- Load once into the site's database:   mariadb DBNAME < gamestats.sql
-- Safe to load again: an existing table and its rows are left as they are.
--
-- Each page adds no row: its two lines give the new page's name to the row whose name sorts
-- first, so the table always holds the 20 most recent games. The placeholders below sort
-- before every page name ("(" comes before "k"), so they are used up first, in id order.
-- Page names are at most 255 bytes (a file name's limit) and use only ASCII letters, digits,
-- "_" and "."; binary ASCII order is the order the program relies on.

CREATE TABLE IF NOT EXISTS gamestats (
  id   INT UNSIGNED NOT NULL PRIMARY KEY,
  html VARCHAR(255) CHARACTER SET ascii COLLATE ascii_bin NOT NULL,
  KEY html (html)
);

-- A site that wants to show more or fewer games adds or removes placeholder rows.
INSERT IGNORE INTO gamestats (id, html) VALUES
  (1, '(no game yet 01)'),
  (2, '(no game yet 02)'),
  (3, '(no game yet 03)'),
  (4, '(no game yet 04)'),
  (5, '(no game yet 05)'),
  (6, '(no game yet 06)'),
  (7, '(no game yet 07)'),
  (8, '(no game yet 08)'),
  (9, '(no game yet 09)'),
  (10, '(no game yet 10)'),
  (11, '(no game yet 11)'),
  (12, '(no game yet 12)'),
  (13, '(no game yet 13)'),
  (14, '(no game yet 14)'),
  (15, '(no game yet 15)'),
  (16, '(no game yet 16)'),
  (17, '(no game yet 17)'),
  (18, '(no game yet 18)'),
  (19, '(no game yet 19)'),
  (20, '(no game yet 20)');
