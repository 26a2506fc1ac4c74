-- The demo archive: the document table wsda (文书档案), its volumes wsaj (文书案卷, one row per folder)
-- above it and the attachments wsfj (文书附件) of some documents below it, for PostgreSQL.

CREATE TABLE IF NOT EXISTS wsda (
    recid citext NOT NULL PRIMARY KEY,
    archive_no citext,
    folder_no citext,
    piece_no integer,
    year_folder_no integer,
    filing_year integer,
    retention citext,
    title citext,
    doc_date date,
    page_no integer,
    man_name citext,
    femail_name citext,
    responsible citext,
    archive_flag citext,
    note citext
);
CREATE INDEX IF NOT EXISTS wsda_folder ON wsda (folder_no, piece_no);

CREATE TABLE IF NOT EXISTS wsaj (
    recid citext NOT NULL PRIMARY KEY,
    folder_no citext,
    filing_year integer,
    year_folder_no integer,
    retention citext,
    title citext,
    piece_count integer,
    page_count integer
);

CREATE TABLE IF NOT EXISTS wsfj (
    recid citext NOT NULL PRIMARY KEY,
    doc_recid citext,
    attach_no integer,
    title citext,
    page_no integer
);
CREATE INDEX IF NOT EXISTS wsfj_document ON wsfj (doc_recid);
