-- The demo archive table wsda (文书档案): one row per archived document, for PostgreSQL.

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
