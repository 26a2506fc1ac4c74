-- The demo archive: the document table wsda (文书档案), its volumes wsaj (文书案卷, one row per folder)
-- above it and the attachments wsfj (文书附件) of some documents below it, for SQLite.

CREATE TABLE IF NOT EXISTS wsda (
    recid varchar(32) COLLATE NOCASE NOT NULL PRIMARY KEY,
    archive_no varchar(50) COLLATE NOCASE,
    folder_no varchar(20) COLLATE NOCASE,
    piece_no integer,
    year_folder_no integer,
    filing_year integer,
    retention varchar(20) COLLATE NOCASE,
    title varchar(255) COLLATE NOCASE,
    doc_date date,
    page_no integer,
    man_name varchar(50) COLLATE NOCASE,
    femail_name varchar(50) COLLATE NOCASE,
    responsible varchar(100) COLLATE NOCASE,
    archive_flag varchar(10) COLLATE NOCASE,
    note varchar(255) COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS wsda_folder ON wsda (folder_no, piece_no);

CREATE TABLE IF NOT EXISTS wsaj (
    recid varchar(32) COLLATE NOCASE NOT NULL PRIMARY KEY,
    folder_no varchar(20) COLLATE NOCASE,
    filing_year integer,
    year_folder_no integer,
    retention varchar(20) COLLATE NOCASE,
    title varchar(255) COLLATE NOCASE,
    piece_count integer,
    page_count integer
);

CREATE TABLE IF NOT EXISTS wsfj (
    recid varchar(32) COLLATE NOCASE NOT NULL PRIMARY KEY,
    doc_recid varchar(32) COLLATE NOCASE,
    attach_no integer,
    title varchar(255) COLLATE NOCASE,
    page_no integer
);
CREATE INDEX IF NOT EXISTS wsfj_document ON wsfj (doc_recid);
