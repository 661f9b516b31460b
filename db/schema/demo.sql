-- A small production line to try the station on without a server (SQLite).
-- This workstation is computer 1 and its operator person 1: the program
-- inserts both before this script, as their names come from the
-- workstation. Dates count back from the moment the file is written, so
-- the programmed meters' clock drift shows at once.

-- The programming plant of this workstation; the operator works in the
-- programming configuration 11.
INSERT INTO plant (plant_id, type_id, computer_id) VALUES (1, 3, 1);
INSERT INTO config_operator (config_id, person_id) VALUES (11, 1);

-- Meters of type 30. 104215..104217 have their numbers and were programmed
-- here (104217 is the number of the simulated meter); 104218..104226 have
-- no programming yet, so "+" gives one more than the smallest of them,
-- 104219, a meter of the route sheet below.
INSERT INTO electrometer (electro_id, number, type_id) VALUES
    (1, 104215, 30),
    (2, 104216, 30),
    (3, 104217, 30),
    (4, 104218, 30),
    (5, 104219, 30),
    (6, 104220, 30),
    (7, 104221, 30),
    (8, 104222, 30),
    (9, 104223, 30),
    (10, 104224, 30),
    (11, 104225, 30),
    (12, 104226, 30);

-- The programmings. 104217 was programmed twice: its drift counts from the
-- newer one, three days ago.
INSERT INTO operation (operation_id, type_id, electro_id, plant_id, person_id, success) VALUES
    (1, 3, 1, 1, 1, 1),
    (2, 3, 2, 1, 1, 1),
    (3, 3, 3, 1, 1, 1),
    (4, 3, 3, 1, 1, 1);
INSERT INTO set_vm_741 (operation_id, version, el_type, turn_on, status, date_time, summer, check_sum,
    t_1, t_2, count_day, count_hour, ncorrect, indicator, time_integ, secperday) VALUES
    (1, '2.5', 'Velmar742.03', '02:14:37', 0, datetime('now', 'localtime', '-6 days', '-2 hours'), 1, 23117,
        0.012, 0.004, 1, 0, 0, 7, 30, NULL),
    (2, '2.5', 'Velmar742.03', '01:52:10', 0, datetime('now', 'localtime', '-5 days', '-4 hours'), 1, 23117,
        0.009, 0.002, 1, 0, 0, 7, 30, NULL),
    (3, '2.5', 'Velmar742.03', '03:05:48', 0, datetime('now', 'localtime', '-20 days'), 1, 23117,
        0.015, 0.006, 1, 0, 0, 7, 30, NULL),
    (4, '2.5', 'Velmar742.03', '17д.03:41:12', 0, datetime('now', 'localtime', '-3 days', '-1 hours'), 1, 23117,
        1.873, 0.944, 1, 0, 1, 7, 30, 0.35);
-- They gave the meters their numbers.
INSERT INTO set_pk (operation_id, version, plm_group, plm_address, plm_number) VALUES
    (1, '2.5', 42, 15, 104215),
    (2, '2.5', 42, 16, 104216),
    (3, '2.5', 42, 17, 104217);

-- The route: assembly, programming, verification, packing, each run as an
-- operation of its own. Configuration 11 programs; the other steps belong
-- to the stations of other configurations.
INSERT INTO type_operation_msl (type_operation_msl_id, name_operation) VALUES
    (1, 'Сборка'),
    (2, 'Программирование'),
    (3, 'Поверка'),
    (4, 'Упаковка');
INSERT INTO route (route_id, type_route_id, Srun, Frun, type_operation_msl_id) VALUES
    (1, 1, 1, 1, 1),
    (2, 1, 2, 1, 2),
    (3, 1, 3, 1, 3),
    (4, 1, 4, 1, 4);
INSERT INTO config_operation (config_operation_id, config_id, type_operation_msl_id) VALUES
    (1, 10, 1),
    (2, 11, 2),
    (3, 12, 3),
    (4, 13, 4);
INSERT INTO type_status (type_status_id, name_status) VALUES
    (1, 'Ожидает работы'),
    (2, 'В работе'),
    (3, 'Выполнен');
INSERT INTO name_electro (name_electro_id, name) VALUES (1, 'Velmar742.03');

-- A route sheet of three meters, 104219..104221, assembled yesterday and
-- waiting for programming: the assembly is done, the programming is open
-- for all three.
INSERT INTO JournalMsl (JournalMsl_id, name_electro_id) VALUES (1, 1);
INSERT INTO msl_info (msl_info_id, JournalMsl_id, type_route_id, type_status_id, archive, active)
    VALUES (1, 1, 1, 1, 0, 1);
INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, good, bad, date_time_start, dt_start, user_id,
    date_time_stop, dt_stop, person_id, state_operation) VALUES
    (1, 1, 1, 3, 3, 0,
        strftime('%d.%m.', 'now', 'localtime', '-2 days') || substr(strftime('%Y', 'now', 'localtime', '-2 days'), 3),
        datetime('now', 'localtime', '-2 days'), 1,
        strftime('%d.%m.', 'now', 'localtime', '-1 days') || substr(strftime('%Y', 'now', 'localtime', '-1 days'), 3),
        datetime('now', 'localtime', '-1 days'), 1, 1),
    (2, 1, 2, 3, 0, 0,
        strftime('%d.%m.', 'now', 'localtime', '-1 days') || substr(strftime('%Y', 'now', 'localtime', '-1 days'), 3),
        datetime('now', 'localtime', '-1 days'), 1,
        NULL, NULL, NULL, 0);
INSERT INTO MslElectro (MslElectro_id, JournalMsl_id, electro_id, Fbad, msl_id) VALUES
    (1, 1, 5, 0, 1),
    (2, 1, 6, 0, 1),
    (3, 1, 7, 0, 1);
