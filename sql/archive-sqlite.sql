-- The demo archive table wsda (文书档案): one row per archived document, for SQLite.

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
