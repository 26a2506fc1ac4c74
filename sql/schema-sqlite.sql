-- Tables of the reporting component and the metadata it reads, for SQLite.
-- Every text column compares without regard to letter case (COLLATE NOCASE), as the stored keywords
-- are spelt in either case by the statements that read them.

CREATE TABLE IF NOT EXISTS report_index (
    report_id varchar(20) COLLATE NOCASE NOT NULL PRIMARY KEY,
    report_name varchar(100) COLLATE NOCASE,
    report_type integer,
    report_group_id varchar(50) COLLATE NOCASE,
    note varchar(255) COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS report_index_group ON report_index (report_group_id);

CREATE TABLE IF NOT EXISTS report_info (
    report_id varchar(20) COLLATE NOCASE NOT NULL,
    info_type varchar(30) COLLATE NOCASE,
    info_order integer,
    info_description varchar(255) COLLATE NOCASE,
    note varchar(255) COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS report_info_report ON report_info (report_id);

CREATE TABLE IF NOT EXISTS report_format (
    report_id varchar(20) COLLATE NOCASE NOT NULL,
    format_order integer,
    begin_row_no integer,
    begin_col_no integer,
    end_row_no integer,
    end_col_no integer,
    format_type varchar(30) COLLATE NOCASE,
    format_description varchar(255) COLLATE NOCASE,
    note varchar(255) COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS report_format_report ON report_format (report_id);

CREATE TABLE IF NOT EXISTS report_data (
    report_id varchar(20) COLLATE NOCASE NOT NULL,
    row_no integer,
    col_no integer,
    data_type varchar(2) COLLATE NOCASE,
    data_description1 varchar(255) COLLATE NOCASE,
    data_description2 text COLLATE NOCASE,
    note varchar(255) COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS report_data_report ON report_data (report_id);

CREATE TABLE IF NOT EXISTS report_logs (
    recid varchar(32) COLLATE NOCASE,
    table_name varchar(50) COLLATE NOCASE,
    table_chn_name varchar(100) COLLATE NOCASE,
    user_id varchar(50) COLLATE NOCASE,
    user_name varchar(50) COLLATE NOCASE,
    op_time datetime,
    report_name varchar(100) COLLATE NOCASE,
    report_content text COLLATE NOCASE,
    report_type varchar(10) COLLATE NOCASE
);

-- Work rows of the paired list: two archive records side by side per row.
CREATE TABLE IF NOT EXISTS hyjlml (
    recid varchar(32) COLLATE NOCASE,
    batchid varchar(32) COLLATE NOCASE,
    folder_no varchar(50) COLLATE NOCASE,
    currentpos varchar(10) COLLATE NOCASE,
    bh1 integer,
    man_name1 varchar(50) COLLATE NOCASE,
    woman_name1 varchar(50) COLLATE NOCASE,
    xb1 varchar(2) COLLATE NOCASE,
    xb2 varchar(2) COLLATE NOCASE,
    zc1 integer,
    bh2 integer,
    man_name2 varchar(50) COLLATE NOCASE,
    woman_name2 varchar(50) COLLATE NOCASE,
    xb3 varchar(2) COLLATE NOCASE,
    xb4 varchar(2) COLLATE NOCASE,
    zc2 integer
);
CREATE INDEX IF NOT EXISTS hyjlml_batch ON hyjlml (batchid);

CREATE TABLE IF NOT EXISTS table_description (
    table_name varchar(50) COLLATE NOCASE,
    table_auxi_name varchar(100) COLLATE NOCASE,
    table_chn_name varchar(100) COLLATE NOCASE
);

CREATE TABLE IF NOT EXISTS tables_relation (
    m_table_name varchar(50) COLLATE NOCASE,
    s_table_name varchar(50) COLLATE NOCASE,
    m_col_name varchar(50) COLLATE NOCASE,
    s_col_name varchar(50) COLLATE NOCASE,
    relation_no integer
);

-- Readers take the table name, the column name and the Chinese column name from the first, third
-- and fifth columns.
CREATE TABLE IF NOT EXISTS table_struct_description (
    table_name varchar(50) COLLATE NOCASE,
    table_chn_name varchar(100) COLLATE NOCASE,
    column_name varchar(50) COLLATE NOCASE,
    column_type varchar(20) COLLATE NOCASE,
    column_chn_name varchar(100) COLLATE NOCASE,
    column_visible varchar(1) COLLATE NOCASE
);

-- Paper sizes by printer paper code, in centimetres and in the engine's scaled units (cm x 560).
CREATE TABLE IF NOT EXISTS page_size (
    paper_size integer,
    paper_name varchar(50) COLLATE NOCASE,
    paper_width real,
    paper_height real,
    paper_scalewidth integer,
    paper_scaleheight integer
);

CREATE TABLE IF NOT EXISTS report_cell_num_ftm (
    s_class varchar(20) COLLATE NOCASE,
    s_description varchar(100) COLLATE NOCASE,
    s_format_string varchar(100) COLLATE NOCASE
);

-- Dictionaries of the archive application; serial_no '05' lists the retention periods, ordered by
-- item_note.
CREATE TABLE IF NOT EXISTS auxidict (
    serial_no varchar(10) COLLATE NOCASE,
    serial_name varchar(50) COLLATE NOCASE,
    item_code varchar(20) COLLATE NOCASE,
    item_name varchar(50) COLLATE NOCASE,
    item_note varchar(100) COLLATE NOCASE
);

-- Failures of the store and the engine, written by the error log.
CREATE TABLE IF NOT EXISTS orv_error_log (
    log_time datetime,
    category varchar(50) COLLATE NOCASE,
    procedure_name varchar(100) COLLATE NOCASE,
    error_source varchar(255) COLLATE NOCASE,
    error_number integer,
    description text COLLATE NOCASE
);

-- ---- Evaluators of value cells ---------------------------------------------------------------------
-- Named SQL formulas of statistics cells ("@H|" + name): sql_text is a statement whose first value is
-- the cell's.
CREATE TABLE IF NOT EXISTS sql_formula (
    name varchar(100) COLLATE NOCASE,
    description varchar(255) COLLATE NOCASE,
    sql_text text COLLATE NOCASE
);

-- Report parameters, written "&name&" in a report's texts and statements; default_value serves until
-- the user gives another value for a build.
CREATE TABLE IF NOT EXISTS report_parameter (
    report_id varchar(20) COLLATE NOCASE,
    name varchar(50) COLLATE NOCASE,
    default_value varchar(255) COLLATE NOCASE
);
