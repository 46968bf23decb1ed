-- The working database of Zolt: every table the program reads or writes.
-- Text columns compare and sort without regard to letter case, as the
-- exchange files' home database did.

CREATE TABLE "Group" (
  "GROUP"      TEXT COLLATE NOCASE,
  MORTCO       TEXT COLLATE NOCASE,
  NAME1        TEXT COLLATE NOCASE,
  NAME2        TEXT COLLATE NOCASE,
  CONTACT      TEXT COLLATE NOCASE,
  CONT_PHONE   TEXT COLLATE NOCASE,
  ADDR1        TEXT COLLATE NOCASE,
  ADDR2        TEXT COLLATE NOCASE,
  ADDR3        TEXT COLLATE NOCASE,
  ADDR4        TEXT COLLATE NOCASE,
  ADDR5        TEXT COLLATE NOCASE,
  ADDR6        TEXT COLLATE NOCASE,
  DUEDATE      TEXT COLLATE NOCASE,
  FILE_ID      TEXT COLLATE NOCASE,
  "CREATE"     TEXT COLLATE NOCASE,
  FOLIO_CNT    INTEGER,
  TOT_PAY      REAL,
  SORTORDER    TEXT COLLATE NOCASE,
  ACD          TEXT COLLATE NOCASE
);

CREATE TABLE Detail (
  MORTCO       TEXT COLLATE NOCASE,
  NUMBER       TEXT COLLATE NOCASE,
  NAME         TEXT COLLATE NOCASE,
  CD           TEXT COLLATE NOCASE,
  JUR          TEXT COLLATE NOCASE,
  FOLIO        TEXT COLLATE NOCASE,
  FOLIO_DISP   TEXT COLLATE NOCASE,
  PAYMENT      REAL,
  ABC          TEXT COLLATE NOCASE,
  GROSS_TAX    REAL,
  REG_GRANT    REAL,
  ADD_GRANT    REAL,
  DELQ         REAL,
  LEGAL        TEXT COLLATE NOCASE
);
-- One payment per agency, collection district, jurisdiction, folio and
-- owner name, letters compared without regard to case: a second one is
-- refused. Names are stored in capitals, so the columns' NOCASE agrees with
-- the duplicate rule of the load and the entry screens.
CREATE UNIQUE INDEX Detail_Payment ON Detail (MORTCO, NAME, CD, JUR, FOLIO);

CREATE TABLE Fol_Mask (
  "YEAR"       TEXT COLLATE NOCASE,
  JUR_CD       TEXT COLLATE NOCASE,
  FOLIO_LEN    INTEGER,
  FOLIO_MASK   TEXT COLLATE NOCASE
);

CREATE TABLE FolioMask (
  "YEAR"       TEXT COLLATE NOCASE,
  JUR_CD       TEXT COLLATE NOCASE,
  FOLIO_LEN    INTEGER,
  FOLIO_MASK   TEXT COLLATE NOCASE
);

CREATE TABLE ZoltSystem (
  Drive        TEXT COLLATE NOCASE,
  Dir          TEXT COLLATE NOCASE,
  File         TEXT COLLATE NOCASE,
  "Year"       TEXT COLLATE NOCASE
);

-- No unique key: two rows of one company that carry only a PID are both
-- legitimate; the load finds duplicates itself.
CREATE TABLE VERIFY (
  ACD          TEXT COLLATE NOCASE,
  MORTCO       TEXT COLLATE NOCASE,
  NUMBER       TEXT COLLATE NOCASE,
  NAME         TEXT COLLATE NOCASE,
  CD           TEXT COLLATE NOCASE,
  JUR          TEXT COLLATE NOCASE,
  FOLIO        TEXT COLLATE NOCASE,
  PID          TEXT COLLATE NOCASE,
  LEGAL        TEXT COLLATE NOCASE,
  ADDR1        TEXT COLLATE NOCASE,
  ADDR2        TEXT COLLATE NOCASE,
  ADDR3        TEXT COLLATE NOCASE,
  ADDR4        TEXT COLLATE NOCASE,
  ADDR5        TEXT COLLATE NOCASE
);
CREATE INDEX VERIFY_Number ON VERIFY (NUMBER);
CREATE INDEX VERIFY_Folio ON VERIFY (JUR, FOLIO);

CREATE TABLE Collection_District (
  Collection_District_Code  TEXT COLLATE NOCASE,
  Collection_District_Name  TEXT COLLATE NOCASE
);

CREATE TABLE Jurisdiction (
  Jurisdiction_Code  TEXT COLLATE NOCASE,
  Jurisdiction_Name  TEXT COLLATE NOCASE
);

CREATE TABLE CD_JUR (
  Collection_District_Code  TEXT COLLATE NOCASE,
  Jurisdiction_Code         TEXT COLLATE NOCASE
);

CREATE TABLE ErrorMessage (
  ErrorNumber  INTEGER,
  ErrorMsg     TEXT COLLATE NOCASE
);

-- Settings of this installation, one row.
CREATE TABLE ZoltSettings (
  ReturnEmail  TEXT
);
