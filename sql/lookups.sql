-- Lookup rows that every archive database holds: paper sizes, number formats of the cell-format
-- dialog and the retention periods. Plain INSERT statements that SQLite and PostgreSQL both read; a
-- backslash in a literal is a backslash, also where PostgreSQL reads it as an escape (the loader then
-- writes such a literal as an escape string).

-- Printer paper codes with their sizes in centimetres and in scaled units (cm x 560), portrait.
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (9, 'A4', 21, 29.7, 11760, 16632);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (8, 'A3', 29.7, 42, 16632, 23520);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (11, 'A5', 14.8, 21, 8288, 11760);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (12, 'B4', 25.7, 36.4, 14392, 20384);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (13, 'B5', 18.2, 25.7, 10192, 14392);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (93, '16开', 14.6, 21.5, 8176, 12040);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (94, '32开', 9.7, 15.1, 5432, 8456);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (1, 'Letter', 21.59, 27.94, 12090, 15646);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (5, 'Legal', 21.59, 35.56, 12090, 19914);
INSERT INTO page_size (paper_size, paper_name, paper_width, paper_height, paper_scalewidth, paper_scaleheight) VALUES (256, '自定义', 21, 29.7, 11760, 16632);

-- Number formats offered by the cell-format dialog: class, entry, the grid's format code.
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('常规', '常规', 'General');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('数值', '整数', '0');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('数值', '一位小数', '0.0');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('数值', '两位小数', '0.00');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('数值', '千位分隔整数', '#,##0');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('数值', '千位分隔两位小数', '#,##0.00');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('货币', '人民币', '¥#,##0.00');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('百分比', '百分比整数', '0%');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('百分比', '百分比两位小数', '0.00%');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('日期', '2024-01-31', 'yyyy-mm-dd');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('日期', '2024年1月31日', 'yyyy"年"m"月"d"日"');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('日期', '2024/1/31', 'yyyy/m/d');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('日期', '2024年1月', 'yyyy"年"m"月"');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('时间', '13:30', 'hh:mm');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('时间', '13:30:55', 'hh:mm:ss');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('时间', '13时30分', 'hh"时"mm"分"');
INSERT INTO report_cell_num_ftm (s_class, s_description, s_format_string) VALUES ('文本', '文本', '\@');

-- Retention periods (dictionary '05'), in the order of item_note.
INSERT INTO auxidict (serial_no, serial_name, item_code, item_name, item_note) VALUES ('05', '保管期限', 'Y', '永久', '1');
INSERT INTO auxidict (serial_no, serial_name, item_code, item_name, item_note) VALUES ('05', '保管期限', 'C', '长期', '2');
INSERT INTO auxidict (serial_no, serial_name, item_code, item_name, item_note) VALUES ('05', '保管期限', 'D', '短期', '3');
INSERT INTO auxidict (serial_no, serial_name, item_code, item_name, item_note) VALUES ('05', '保管期限', 'D30', '30年', '4');
INSERT INTO auxidict (serial_no, serial_name, item_code, item_name, item_note) VALUES ('05', '保管期限', 'D10', '10年', '5');
