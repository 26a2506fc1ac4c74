-- Tables of the reporting component and the metadata it reads, for PostgreSQL.
-- Every text column is citext, so that it compares without regard to letter case, as the stored
-- keywords are spelt in either case by the statements that read them.

CREATE EXTENSION IF NOT EXISTS citext;

-- ltrim and rtrim of a citext value stay citext, so that a trimmed column still compares
-- without regard to case ("where ltrim(rtrim(table_name)) = '...'").
CREATE OR REPLACE FUNCTION ltrim(citext) RETURNS citext LANGUAGE sql IMMUTABLE STRICT
    AS $$ SELECT pg_catalog.ltrim($1::text)::citext $$;
CREATE OR REPLACE FUNCTION rtrim(citext) RETURNS citext LANGUAGE sql IMMUTABLE STRICT
    AS $$ SELECT pg_catalog.rtrim($1::text)::citext $$;

CREATE TABLE IF NOT EXISTS report_index (
    report_id citext NOT NULL PRIMARY KEY,
    report_name citext,
    report_type integer,
    report_group_id citext,
    note citext
);
CREATE INDEX IF NOT EXISTS report_index_group ON report_index (report_group_id);

CREATE TABLE IF NOT EXISTS report_info (
    report_id citext NOT NULL,
    info_type citext,
    info_order integer,
    info_description citext,
    note citext
);
CREATE INDEX IF NOT EXISTS report_info_report ON report_info (report_id);

CREATE TABLE IF NOT EXISTS report_format (
    report_id citext NOT NULL,
    format_order integer,
    begin_row_no integer,
    begin_col_no integer,
    end_row_no integer,
    end_col_no integer,
    format_type citext,
    format_description citext,
    note citext
);
CREATE INDEX IF NOT EXISTS report_format_report ON report_format (report_id);

CREATE TABLE IF NOT EXISTS report_data (
    report_id citext NOT NULL,
    row_no integer,
    col_no integer,
    data_type citext,
    data_description1 citext,
    data_description2 citext,
    note citext
);
CREATE INDEX IF NOT EXISTS report_data_report ON report_data (report_id);

CREATE TABLE IF NOT EXISTS report_logs (
    recid citext,
    table_name citext,
    table_chn_name citext,
    user_id citext,
    user_name citext,
    op_time timestamp(0),
    report_name citext,
    report_content citext,
    report_type citext
);

-- Work rows of the paired list: two archive records side by side per row.
CREATE TABLE IF NOT EXISTS hyjlml (
    recid citext,
    batchid citext,
    folder_no citext,
    currentpos citext,
    bh1 integer,
    man_name1 citext,
    woman_name1 citext,
    xb1 citext,
    xb2 citext,
    zc1 integer,
    bh2 integer,
    man_name2 citext,
    woman_name2 citext,
    xb3 citext,
    xb4 citext,
    zc2 integer
);
CREATE INDEX IF NOT EXISTS hyjlml_batch ON hyjlml (batchid);

CREATE TABLE IF NOT EXISTS table_description (
    table_name citext,
    table_auxi_name citext,
    table_chn_name citext
);

CREATE TABLE IF NOT EXISTS tables_relation (
    m_table_name citext,
    s_table_name citext,
    m_col_name citext,
    s_col_name citext,
    relation_no integer
);

-- Readers take the table name, the column name and the Chinese column name from the first, third
-- and fifth columns.
CREATE TABLE IF NOT EXISTS table_struct_description (
    table_name citext,
    table_chn_name citext,
    column_name citext,
    column_type citext,
    column_chn_name citext,
    column_visible citext
);

-- Paper sizes by printer paper code, in centimetres and in the engine's scaled units (cm x 560).
CREATE TABLE IF NOT EXISTS page_size (
    paper_size integer,
    paper_name citext,
    paper_width double precision,
    paper_height double precision,
    paper_scalewidth integer,
    paper_scaleheight integer
);

CREATE TABLE IF NOT EXISTS report_cell_num_ftm (
    s_class citext,
    s_description citext,
    s_format_string citext
);

-- Dictionaries of the archive application; serial_no '05' lists the retention periods, ordered by
-- item_note.
CREATE TABLE IF NOT EXISTS auxidict (
    serial_no citext,
    serial_name citext,
    item_code citext,
    item_name citext,
    item_note citext
);

-- Failures of the store and the engine, written by the error log.
CREATE TABLE IF NOT EXISTS orv_error_log (
    log_time timestamp(0),
    category citext,
    procedure_name citext,
    error_source citext,
    error_number integer,
    description citext
);

-- ---- Evaluators of value cells ---------------------------------------------------------------------
-- Named SQL formulas of statistics cells ("@H|" + name): sql_text is a statement whose first value is
-- the cell's.
CREATE TABLE IF NOT EXISTS sql_formula (
    name citext,
    description citext,
    sql_text citext
);

-- Report parameters, written "&name&" in a report's texts and statements; default_value serves until
-- the user gives another value for a build.
CREATE TABLE IF NOT EXISTS report_parameter (
    report_id citext,
    name citext,
    default_value citext
);
