-- The production database's tables as the station uses them, for SQLite:
-- a station without a server, and the tests. Identifiers are assigned by
-- the database (INTEGER PRIMARY KEY); flags are 0 or 1.

CREATE TABLE computer (
    computer_id INTEGER PRIMARY KEY,
    name VARCHAR(255) NOT NULL
);
CREATE TABLE operator (
    person_id INTEGER PRIMARY KEY,
    login VARCHAR(255) NOT NULL,
    operating BIT NOT NULL DEFAULT 1
);
CREATE TABLE plant (
    plant_id INTEGER PRIMARY KEY,
    type_id INT NOT NULL,
    computer_id INT REFERENCES computer (computer_id)
);
CREATE TABLE electrometer (
    electro_id INTEGER PRIMARY KEY,
    number INT NOT NULL,
    type_id INT NOT NULL
);
CREATE TABLE operation (
    operation_id INTEGER PRIMARY KEY,
    type_id INT NOT NULL,
    electro_id INT NOT NULL REFERENCES electrometer (electro_id),
    plant_id INT,
    person_id INT,
    success BIT
);
CREATE TABLE set_vm_741 (
    operation_id INT NOT NULL REFERENCES operation (operation_id),
    version VARCHAR(50),
    el_type VARCHAR(50),
    turn_on VARCHAR(50),
    status INT,
    date_time DATETIME,
    summer BIT,
    check_sum INT,
    pass VARCHAR(50),
    t_1 FLOAT, t_2 FLOAT, t_3 FLOAT, t_4 FLOAT, t_5 FLOAT, t_6 FLOAT, t_7 FLOAT, t_8 FLOAT,
    count_day INT,
    count_hour INT,
    ncorrect INT,
    indicator INT,
    time_integ INT,
    ddm INT,
    mode_tarif INT,
    secperday FLOAT
);
CREATE TABLE set_pk (
    operation_id INT NOT NULL REFERENCES operation (operation_id),
    version VARCHAR(50),
    plm_group INT,
    plm_address INT,
    plm_number INT
);

-- Route sheets.
CREATE TABLE name_electro (
    name_electro_id INTEGER PRIMARY KEY,
    name VARCHAR(255)
);
CREATE TABLE JournalMsl (
    JournalMsl_id INTEGER PRIMARY KEY,
    name_electro_id INT REFERENCES name_electro (name_electro_id)
);
CREATE TABLE type_status (
    type_status_id INTEGER PRIMARY KEY,
    name_status VARCHAR(255)
);
CREATE TABLE msl_info (
    msl_info_id INTEGER PRIMARY KEY,
    JournalMsl_id INT REFERENCES JournalMsl (JournalMsl_id),
    type_route_id INT,
    type_status_id INT REFERENCES type_status (type_status_id),
    archive BIT DEFAULT 0,
    active BIT DEFAULT 1
);
CREATE TABLE type_operation_msl (
    type_operation_msl_id INTEGER PRIMARY KEY,
    name_operation VARCHAR(255)
);
CREATE TABLE route (
    route_id INTEGER PRIMARY KEY,
    type_route_id INT,
    Srun INT,
    Frun BIT,
    type_operation_msl_id INT REFERENCES type_operation_msl (type_operation_msl_id)
);
CREATE TABLE msl_ (
    msl_id INTEGER PRIMARY KEY,
    JournalMsl_id INT REFERENCES JournalMsl (JournalMsl_id),
    route_id INT REFERENCES route (route_id),
    entry INT,
    good INT,
    bad INT,
    date_time_start VARCHAR(8),
    dt_start DATETIME,
    user_id INT,
    date_time_stop VARCHAR(8),
    dt_stop DATETIME,
    person_id INT,
    state_operation INT DEFAULT 0
);
CREATE TABLE MslElectro (
    MslElectro_id INTEGER PRIMARY KEY,
    JournalMsl_id INT REFERENCES JournalMsl (JournalMsl_id),
    electro_id INT REFERENCES electrometer (electro_id),
    Fbad BIT DEFAULT 0,
    msl_id INT
);
CREATE TABLE config_operation (
    config_operation_id INTEGER PRIMARY KEY,
    config_id INT,
    type_operation_msl_id INT REFERENCES type_operation_msl (type_operation_msl_id)
);
CREATE TABLE config_operator (
    config_id INT,
    person_id INT REFERENCES operator (person_id)
);
CREATE TABLE RegMsl (
    RegMsl_id INTEGER PRIMARY KEY,
    person_id INT,
    plant_id INT,
    JournalMsl_id INT REFERENCES JournalMsl (JournalMsl_id),
    EntryEl INT
);
CREATE TABLE RegMslEntry (
    RegMslEntry_id INTEGER PRIMARY KEY,
    RegMsl_id INT REFERENCES RegMsl (RegMsl_id),
    electro_id INT
);
CREATE TABLE RegMslGood (
    RegMslGood_id INTEGER PRIMARY KEY,
    RegMsl_id INT REFERENCES RegMsl (RegMsl_id),
    electro_id INT
);
CREATE TABLE RegMslBrak (
    RegMslBrak_id INTEGER PRIMARY KEY,
    RegMsl_id INT REFERENCES RegMsl (RegMsl_id),
    electro_id INT
);
